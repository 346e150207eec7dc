#pragma once
// A device that fails part-way, as a disk error or a full disk would: reads
// and writes succeed up to a byte position and fail (return -1) from there.

#include <QBuffer>

#include <algorithm>

namespace TestSupport {

class FailDevice : public QBuffer
{
public:
    FailDevice(QByteArray *data, qint64 failAt) : QBuffer(data), m_failAt(failAt) {}

    // Unbuffered, so the failure comes at exactly failAt.
    bool open(OpenMode mode) override { return QBuffer::open(mode | QIODevice::Unbuffered); }

protected:
    qint64 readData(char *out, qint64 maxSize) override
    {
        if (pos() >= m_failAt)
            return fail();
        return QBuffer::readData(out, std::min(maxSize, m_failAt - pos()));
    }
    qint64 writeData(const char *in, qint64 size) override
    {
        if (pos() >= m_failAt)
            return fail();
        return QBuffer::writeData(in, std::min(size, m_failAt - pos()));
    }

private:
    qint64 fail()
    {
        setErrorString(QStringLiteral("simulated device failure"));
        return -1;
    }

    qint64 m_failAt;
};

} // namespace TestSupport
