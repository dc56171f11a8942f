#pragma once
// The log a driver program keeps of what it did: one line per event, fields
// separated by tabs, each line handed to the system in a single write as soon
// as it is known, so that a line a killed driver wrote is in the file.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

class DriverLog {
public:
    explicit DriverLog(const QString& path)
        : m_fd(::open(path.toLocal8Bit().constData(), O_WRONLY | O_APPEND | O_CREAT, 0644))
    {
        if (m_fd < 0)
            throw std::runtime_error("cannot open the log " + path.toStdString());
    }
    ~DriverLog() { ::close(m_fd); }
    DriverLog(const DriverLog&) = delete;
    DriverLog& operator=(const DriverLog&) = delete;

    void line(const QStringList& fields)
    {
        const QByteArray bytes = fields.join(u'\t').toUtf8() + '\n';
        if (::write(m_fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
            throw std::runtime_error("cannot write the log");
    }

private:
    int m_fd;
};

// A memo text of some kilobytes made from a token, long enough to span
// several database pages now and then; the checker makes it again.
inline QString memoText(const QString& token, int repeat)
{
    QString text;
    for (int i = 0; i < repeat; ++i)
        text += token + QStringLiteral(u" observação %1; ").arg(i);
    return text;
}
