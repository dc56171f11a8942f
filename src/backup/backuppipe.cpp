#include "backup/backuppipe.h"

#include "core/eerror.h"
#include "fb/service.h"

#include <QFileDevice>
#include <condition_variable>
#include <mutex>
#include <thread>

QByteArray ServerBackup::read() { return m_stream.read(); }

QByteArray FileBackup::read()
{
    QByteArray piece(fb::RestoreStream::kMaxPiece, '\0');
    const qint64 got = m_file.read(piece.data(), piece.size());
    if (got < 0)
        throw EError(m_file.errorString());
    piece.truncate(got);
    return piece;
}

namespace {

// The source read on a thread of its own, ahead of the restore: the server
// makes the backup while it restores what came before. At most kAhead bytes
// wait in memory; the reader waits when they are there.
class Reader {
public:
    static constexpr qsizetype kAhead = 32 << 20;

    Reader(BackupSource& source, QFileDevice* copy) : m_source(source), m_copy(copy)
    {
        m_thread = std::thread([this] { run(); });
    }
    ~Reader() { stop(); }

    // Up to `most` bytes, waiting for them; empty at the end of the source
    // or when it failed.
    QByteArray take(qsizetype most)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_bytes.size() > m_at || m_ended; });
        const QByteArray piece = m_bytes.mid(m_at, std::min(most, m_bytes.size() - m_at));
        m_at += piece.size();
        if (m_at >= (1 << 20)) {   // let go of what was handed over
            m_bytes.remove(0, m_at);
            m_at = 0;
        }
        m_changed.notify_all();
        return piece;
    }

    // Stops reading (when nobody wants the rest) and waits for the thread.
    void stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    // After stop(): which side failed, if one did, and its error.
    Carried::Side failed() const { return m_failed; }
    std::exception_ptr error() const { return m_error; }

private:
    void run()
    {
        try {
            for (;;) {
                {
                    std::unique_lock lock(m_mutex);
                    m_changed.wait(lock, [&] { return m_bytes.size() - m_at < kAhead || m_stopping; });
                    if (m_stopping)
                        break;
                }
                QByteArray piece;
                try {
                    piece = m_source.read();
                } catch (...) {
                    m_failed = Carried::Side::Source;
                    throw;
                }
                if (piece.isEmpty())
                    break;
                if (m_copy && m_copy->write(piece) != piece.size()) {
                    m_failed = Carried::Side::Copy;
                    throw EError(m_copy->errorString());
                }
                std::lock_guard lock(m_mutex);
                m_bytes.append(piece);
                m_changed.notify_all();
            }
        } catch (...) {
            m_error = std::current_exception();
        }
        std::lock_guard lock(m_mutex);
        m_ended = true;
        m_changed.notify_all();
    }

    BackupSource& m_source;
    QFileDevice* m_copy;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QByteArray m_bytes;
    qsizetype m_at = 0;
    bool m_ended = false;
    bool m_stopping = false;
    Carried::Side m_failed = Carried::Side::None;
    std::exception_ptr m_error;
    std::thread m_thread;
};

void tell(const fb::RestoreStream& restore, const LineReport& report)
{
    if (report)
        for (const QString& line : restore.lines())
            report(line);
}

} // namespace

Carried carryBackup(BackupSource& source, fb::RestoreStream& restore, QFileDevice* copy, const LineReport& report)
{
    Carried result;
    // Whatever remains once the restore is done is read only where it counts.
    const bool toTheEnd = source.readToTheEnd() || copy;
    Reader reader(source, copy);
    try {
        restore.turn();
        while (!restore.finished()) {
            tell(restore, report);
            QByteArray piece;
            if (restore.wanted() > 0)
                piece = reader.take(std::min(restore.wanted(), fb::RestoreStream::kMaxPiece));
            restore.turn(piece);   // an empty piece: the backup has ended
        }
        tell(restore, report);
        if (toTheEnd)
            while (!reader.take(Reader::kAhead).isEmpty()) {
            }
    } catch (...) {
        result.failed = Carried::Side::Restore;
        result.error = std::current_exception();
    }
    reader.stop();
    // The restore fails when its backup breaks off: the cause comes first.
    if (reader.failed() != Carried::Side::None) {
        result.failed = reader.failed();
        result.error = reader.error();
    }
    return result;
}
