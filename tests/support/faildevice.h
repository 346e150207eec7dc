#pragma once
// Devices that fail part-way, as a disk error or a full disk would: reads and
// writes go through until a number of bytes has passed, then fail (return -1).

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <utility>

namespace TestSupport {

template <typename Device> class FailAfter : public Device
{
public:
    template <typename... Args>
    explicit FailAfter(qint64 bytesBeforeFailure, Args &&...args)
        : Device(std::forward<Args>(args)...), m_left(bytesBeforeFailure)
    {}

    // Unbuffered, so the failure comes at exactly that byte.
    bool open(QIODevice::OpenMode mode) override { return Device::open(mode | QIODevice::Unbuffered); }

protected:
    qint64 readData(char *out, qint64 maxSize) override
    {
        return pass(Device::readData(out, allowed(maxSize)));
    }
    qint64 writeData(const char *in, qint64 size) override
    {
        return pass(Device::writeData(in, allowed(size)));
    }

private:
    qint64 allowed(qint64 size) const { return std::min(size, m_left); }
    qint64 pass(qint64 done)
    {
        if (m_left == 0) {
            this->setErrorString(QStringLiteral("simulated device failure"));
            return -1;
        }
        if (done > 0)
            m_left -= done;
        return done;
    }

    qint64 m_left;
};

// A buffer over data that fails once failAt bytes have been read or written.
class FailDevice : public FailAfter<QBuffer>
{
public:
    FailDevice(QByteArray *data, qint64 failAt) : FailAfter<QBuffer>(failAt, data) {}
};

// A file whose reads or writes fail after a number of bytes.
using FailFile = FailAfter<QFile>;

} // namespace TestSupport
