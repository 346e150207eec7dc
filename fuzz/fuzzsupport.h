#pragma once
// Helpers the fuzz targets share: taking values off the front of the input,
// the locale a text target runs under, and a check that aborts so libFuzzer
// keeps the input that broke it.

#include <QLocale>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Fuzz {

class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_size == 0; }
    uint8_t byte()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }
    uint16_t word() { return uint16_t(byte() | (byte() << 8)); }
    float single()
    {
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits |= uint32_t(byte()) << (8 * i);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // Up to maxLength UTF-8 bytes as text (the rest when maxLength is 0).
    QString text(size_t maxLength = 0)
    {
        const size_t n = maxLength == 0 || maxLength > m_size ? m_size : maxLength;
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(m_data), qsizetype(n));
        m_data += n;
        m_size -= n;
        return text;
    }
    // Whatever is left, as bytes.
    QByteArray rest()
    {
        const QByteArray bytes(reinterpret_cast<const char *>(m_data), qsizetype(m_size));
        m_data += m_size;
        m_size = 0;
        return bytes;
    }
    // Text up to the next byte 0 (or the end).
    QString field()
    {
        size_t n = 0;
        while (n < m_size && m_data[n] != 0)
            ++n;
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(m_data), qsizetype(n));
        m_data += n;
        m_size -= n;
        if (m_size > 0) {
            ++m_data;
            --m_size;
        }
        return text;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
};

// Text targets run under a point locale, a comma locale and a locale whose
// decimal mark is neither, chosen by one input byte.
inline void useLocaleFrom(uint8_t choice)
{
    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::Arabic, QLocale::Egypt)};
    QLocale::setDefault(locales[choice % 3]);
}

[[noreturn]] inline void fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

inline void check(bool ok, const char *what, const QString &detail = QString())
{
    if (!ok)
        fail(what, detail);
}

} // namespace Fuzz
