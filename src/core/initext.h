#pragma once
// The settings file's text in the INI form Qt's QSettings writes: [section]
// lines, key=value lines, a space or other special character of a section or
// key name written %20 (a character beyond Latin-1 %UXXXX), values in UTF-8
// with C escapes, in quotes when they hold a comma, semicolon or equals sign
// or start or end with a space. Only the lines a change touches are
// rewritten, so comments and order in a hand-edited file stay.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class IniText
{
public:
    explicit IniText(const QByteArray &bytes = {});

    // The value's text; a value written as a list ("a, b") reads back joined
    // with ", ". nullopt when the key is not there.
    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    QByteArray bytes() const;

private:
    struct Line
    {
        QByteArray text;
        QString section; // the section the line lies in
        QString key;     // empty for all but key=value lines
    };
    qsizetype find(const QString &section, const QString &key) const;
    QList<Line> m_lines;
};
