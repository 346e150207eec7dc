#include "core/initext.h"

#include <QStringList>

namespace {

bool isPlainKeyCharacter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
           c == u'-' || c == u'.';
}

QByteArray escapedName(const QString &name)
{
    QByteArray out;
    for (const QChar qc : name) {
        const char16_t c = qc.unicode();
        if (c == u'/')
            out += '\\';
        else if (isPlainKeyCharacter(c))
            out += char(c);
        else if (c <= 0xFF)
            out += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        else
            out += "%U" + QByteArray::number(c, 16).toUpper().rightJustified(4, '0');
    }
    return out;
}

QString unescapedName(const QByteArray &text)
{
    QString out;
    QByteArray run; // plain bytes, read as UTF-8
    const auto flush = [&] {
        out += QString::fromUtf8(run);
        run.clear();
    };
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char c = text.at(k);
        bool ok = false;
        if (c == '\\') {
            run += '/';
        } else if (c == '%' && text.mid(k + 1, 1) == "U" &&
                   (void(text.mid(k + 2, 4).toUShort(&ok, 16)), ok && text.mid(k + 2, 4).size() == 4)) {
            flush();
            out += QChar(text.mid(k + 2, 4).toUShort(nullptr, 16));
            k += 5;
        } else if (c == '%' &&
                   (void(text.mid(k + 1, 2).toUShort(&ok, 16)), ok && text.mid(k + 1, 2).size() == 2)) {
            flush();
            out += QChar(text.mid(k + 1, 2).toUShort(nullptr, 16));
            k += 2;
        } else {
            run += c;
        }
    }
    flush();
    return out;
}

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

QByteArray escapedValue(QString value)
{
    if (value.startsWith(u'@'))
        value.prepend(u'@');
    QByteArray out;
    QString plain; // characters written as they are, in UTF-8 (surrogate pairs whole)
    const auto escape = [&](const QByteArray &escaped) {
        out += plain.toUtf8() + escaped;
        plain.clear();
    };
    bool quote = false;
    bool escapeNextHexDigit = false; // after \x or \0, a hex digit would join it
    static const QString controls = QStringLiteral("\a\b\f\n\r\t\v");
    for (const QChar qc : std::as_const(value)) {
        const char16_t c = qc.unicode();
        if (c == u';' || c == u',' || c == u'=')
            quote = true;
        if (escapeNextHexDigit && isHexDigit(c)) {
            escape("\\x" + QByteArray::number(c, 16));
            continue;
        }
        escapeNextHexDigit = false;
        if (const qsizetype at = controls.indexOf(qc); at >= 0) {
            escape(QByteArray("\\") + "abfnrtv"[at]);
        } else if (c == u'"' || c == u'\\') {
            escape(QByteArray("\\") + char(c));
        } else if (c <= 0x1F) {
            escape(c == 0 ? QByteArray("\\0") : "\\x" + QByteArray::number(c, 16));
            escapeNextHexDigit = true;
        } else {
            plain += qc;
        }
    }
    escape({});
    if (quote || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

// The value's text as its readers see it: escapes undone, quotes taken off,
// an unquoted list joined with ", ", a comment after ';' left out.
QString unescapedValue(const QByteArray &raw)
{
    const QString text = QString::fromUtf8(raw);
    QStringList parts;
    QString current;
    QString blanks; // unquoted blanks: kept only when more of the part follows
    const auto add = [&](QChar c) {
        current += blanks + c;
        blanks.clear();
    };
    bool quoted = false;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text.at(k);
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && (c == u' ' || c == u'\t')) {
            if (!current.isEmpty())
                blanks += c;
        } else if (c == u'\\' && k + 1 < text.size()) {
            const QChar e = text.at(++k);
            static const QString from = QStringLiteral("abfnrtv");
            static const QString to = QStringLiteral("\a\b\f\n\r\t\v");
            if (const qsizetype at = from.indexOf(e); at >= 0) {
                add(to.at(at));
            } else if (e == u'x' || (e >= u'0' && e <= u'7')) {
                const bool hex = e == u'x';
                const qsizetype start = hex ? k + 1 : k;
                qsizetype end = start;
                while (end < text.size() &&
                       (hex ? isHexDigit(text.at(end).unicode())
                            : text.at(end) >= u'0' && text.at(end) <= u'7' && end < k + 3))
                    ++end;
                add(QChar(char16_t(text.mid(start, end - start).toUInt(nullptr, hex ? 16 : 8))));
                k = end - 1;
            } else {
                add(e);
            }
        } else if (c == u',' && !quoted) {
            parts << current;
            current.clear();
            blanks.clear();
        } else if (c == u';' && !quoted) {
            break;
        } else {
            add(c);
        }
    }
    parts << current;
    QString value = parts.join(QStringLiteral(", "));
    if (parts.size() == 1 && value.startsWith(QStringLiteral("@@")))
        value.remove(0, 1);
    return value;
}

} // namespace

IniText::IniText(const QByteArray &bytes)
{
    QString section;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype k = 0; k < lines.size(); ++k) {
        QByteArray text = lines.at(k);
        if (k == lines.size() - 1 && text.isEmpty())
            break; // the text's last line end
        if (text.endsWith('\r'))
            text.chop(1);
        const QByteArray trimmed = text.trimmed();
        Line line{text, section, {}};
        if (trimmed.startsWith('[')) {
            const qsizetype end = trimmed.lastIndexOf(']');
            section = line.section = unescapedName(trimmed.mid(1, (end < 0 ? trimmed.size() : end) - 1));
        } else if (const qsizetype equals = trimmed.indexOf('=');
                   equals > 0 && !trimmed.startsWith(';') && !trimmed.startsWith('#')) {
            line.key = unescapedName(trimmed.left(equals).trimmed());
        }
        m_lines.append(line);
    }
}

qsizetype IniText::find(const QString &section, const QString &key) const
{
    for (qsizetype k = 0; k < m_lines.size(); ++k) {
        if (m_lines.at(k).section == section && m_lines.at(k).key == key)
            return k;
    }
    return -1;
}

std::optional<QString> IniText::value(const QString &section, const QString &key) const
{
    const qsizetype at = find(section, key);
    if (at < 0)
        return std::nullopt;
    const QByteArray &text = m_lines.at(at).text;
    return unescapedValue(text.mid(text.indexOf('=') + 1).trimmed());
}

void IniText::setValue(const QString &section, const QString &key, const QString &value)
{
    Line line{escapedName(key) + '=' + escapedValue(value), section, key};
    if (const qsizetype at = find(section, key); at >= 0) {
        m_lines[at] = line;
        return;
    }
    // After the last line of the section that is not blank; else a new section at the end.
    qsizetype last = -1;
    for (qsizetype k = 0; k < m_lines.size(); ++k) {
        if (m_lines.at(k).section == section && !m_lines.at(k).text.trimmed().isEmpty())
            last = k;
    }
    if (last >= 0) {
        m_lines.insert(last + 1, line);
        return;
    }
    if (!m_lines.isEmpty() && !m_lines.last().text.trimmed().isEmpty())
        m_lines.append({QByteArray(), m_lines.last().section, {}});
    m_lines.append({'[' + escapedName(section) + ']', section, {}});
    m_lines.append(line);
}

QByteArray IniText::bytes() const
{
    QByteArray out;
    for (const Line &line : m_lines)
        out += line.text + '\n';
    return out;
}
