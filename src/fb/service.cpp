#include "fb/service.h"
#include "fb/fbapi_p.h"

#include <QThread>
#include <functional>

using namespace Firebird;

namespace fb {

namespace {

// The answer to one query: the items that carry data, and whether the
// service has more to say.
struct Answer {
    QByteArray output;    // isc_info_svc_to_eof or isc_info_svc_line
    qsizetype wanted = 0;   // isc_info_svc_stdin
    bool more = false;    // truncated, or not ready yet
    bool running = false;   // isc_info_svc_running
};

quint32 littleEndian(const unsigned char* p, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

Answer parse(const unsigned char* p, const unsigned char* end)
{
    Answer answer;
    while (p < end && *p != isc_info_end) {
        const unsigned char item = *p++;
        switch (item) {
        case isc_info_svc_to_eof:
        case isc_info_svc_line: {
            if (end - p < 2)
                return answer;
            const int length = int(littleEndian(p, 2));
            p += 2;
            if (end - p < length)
                return answer;
            answer.output.append(reinterpret_cast<const char*>(p), length);
            p += length;
            break;
        }
        case isc_info_svc_stdin:
        case isc_info_svc_running:
            if (end - p < 4)
                return answer;
            if (item == isc_info_svc_stdin)
                answer.wanted = qsizetype(littleEndian(p, 4));
            else
                answer.running = littleEndian(p, 4) != 0;
            p += 4;
            break;
        case isc_info_truncated:
        case isc_info_data_not_ready:
        case isc_info_svc_timeout:
            answer.more = true;
            break;
        default:
            return answer;   // nothing we asked for
        }
    }
    return answer;
}

// A parameter block of that kind: filled, handed to use, disposed of on every path.
void withBlock(ThrowStatusWrapper* st, unsigned kind, const std::function<void(IXpbBuilder*)>& fill,
               const std::function<void(unsigned length, const unsigned char* block)>& use)
{
    IXpbBuilder* block = detail::util()->getXpbBuilder(st, kind, nullptr, 0);
    struct Guard {
        IXpbBuilder* b;
        ~Guard() { b->dispose(); }
    } guard{block};
    fill(block);
    use(block->getBufferLength(st), block->getBuffer(st));
}

} // namespace

// One attachment to the service manager of a database's server, running
// one action on that database.
class ServiceAttachment {
public:
    ServiceAttachment(const Location& database, const ConnectParams& account) : m_database(database.path)
    {
        detail::call([&](ThrowStatusWrapper* st) {
            withBlock(
                st, IXpbBuilder::SPB_ATTACH,
                [&](IXpbBuilder* spb) {
                    detail::insertAccount(spb, st, account);
                    // File names and texts travel as UTF-8.
                    spb->insertTag(st, isc_spb_utf8_filename);
                },
                [&](unsigned length, const unsigned char* spb) {
                    m_service = detail::provider()->attachServiceManager(
                        st, database.serviceManager().toUtf8().constData(), length, spb);
                    detail::handleOpened();
                });
        });
    }

    ~ServiceAttachment()
    {
        IStatus* raw = detail::master()->getStatus();
        CheckStatusWrapper status(raw);
        // The client library lets go of a service's handle on every detach,
        // also one that fails (it may tell an action's late failure): it is
        // not released again.
        m_service->detach(&status);
        raw->dispose();
        detail::handleClosed();
    }

    ServiceAttachment(const ServiceAttachment&) = delete;
    ServiceAttachment& operator=(const ServiceAttachment&) = delete;

    // Starts the action: its tag, then the database, then whatever fill adds.
    void start(unsigned char action, const std::function<void(IXpbBuilder*, ThrowStatusWrapper*)>& fill)
    {
        detail::call([&](ThrowStatusWrapper* st) {
            withBlock(
                st, IXpbBuilder::SPB_START,
                [&](IXpbBuilder* spb) {
                    spb->insertTag(st, action);
                    spb->insertString(st, isc_spb_dbname, m_database.toUtf8().constData());
                    fill(spb, st);
                },
                [&](unsigned length, const unsigned char* spb) { m_service->start(st, length, spb); });
        });
    }

    // One query: sends the items given, waits for the ones asked.
    Answer query(const QByteArray& send, const QByteArray& receive, int bufferSize)
    {
        QByteArray buffer(bufferSize, '\0');
        auto* out = reinterpret_cast<unsigned char*>(buffer.data());
        detail::call([&](ThrowStatusWrapper* st) {
            m_service->query(st, unsigned(send.size()), reinterpret_cast<const unsigned char*>(send.constData()),
                            unsigned(receive.size()), reinterpret_cast<const unsigned char*>(receive.constData()),
                            unsigned(buffer.size()), out);
        });
        return parse(out, out + buffer.size());
    }

    // Reads the action's output until the action has stopped; a failure of
    // the action is raised.
    void drain()
    {
        static const char items[] = {char(isc_info_svc_line), char(isc_info_svc_running)};
        const QByteArray receive(items, sizeof items);
        for (;;) {
            const Answer answer = query({}, receive, kLineBuffer);
            if (answer.output.isEmpty() && !answer.more && !answer.running)
                return;
            if (answer.output.isEmpty())
                QThread::msleep(kPoll);
        }
    }

    // Waits until an action that has told its end (or its failure) has
    // stopped, so that it no longer holds its database.
    void waitUntilStopped() noexcept
    {
        const QByteArray receive(1, char(isc_info_svc_running));
        try {
            for (int waited = 0; waited < kLongestStop; waited += kPoll) {
                if (!query({}, receive, kLineBuffer).running)
                    return;
                QThread::msleep(kPoll);
            }
        } catch (const EError&) {
            // It told its failure once more: it has stopped.
        }
    }

    // Lines come one a query; a larger buffer comes back truncated.
    static constexpr int kLineBuffer = 16384;
    // The largest piece of output one answer carries: its length has two bytes.
    static constexpr int kDataBuffer = 65535;
    // Milliseconds between two looks at an action that is stopping, and the most waited.
    static constexpr int kPoll = 20;
    static constexpr int kLongestStop = 30000;

private:
    IService* m_service = nullptr;
    QString m_database;
};

BackupStream::BackupStream(const Location& database, const ConnectParams& account)
    : m_service(std::make_unique<ServiceAttachment>(database, account))
{
    m_service->start(isc_action_svc_backup, [](IXpbBuilder* spb, ThrowStatusWrapper* st) {
        spb->insertString(st, isc_spb_bkp_file, "stdout");
    });
}

BackupStream::~BackupStream() = default;

QByteArray BackupStream::read()
{
    const QByteArray receive(1, char(isc_info_svc_to_eof));
    while (!m_atEnd) {
        const Answer answer = m_service->query({}, receive, ServiceAttachment::kDataBuffer);
        if (!answer.output.isEmpty())
            return answer.output;
        m_atEnd = !answer.more;
    }
    return {};
}

RestoreStream::RestoreStream(const Location& database, const ConnectParams& account)
    : m_service(std::make_unique<ServiceAttachment>(database, account))
{
    m_service->start(isc_action_svc_restore, [](IXpbBuilder* spb, ThrowStatusWrapper* st) {
        spb->insertString(st, isc_spb_bkp_file, "stdin");
        spb->insertTag(st, isc_spb_verbose);
        spb->insertInt(st, isc_spb_options, isc_spb_res_create);
    });
}

RestoreStream::~RestoreStream()
{
    if (m_finished)
        m_service->waitUntilStopped();
}

void RestoreStream::turn(const QByteArray& piece)
{
    QByteArray send;
    if (m_wanted > 0) {
        const qsizetype size = std::min({piece.size(), m_wanted, kMaxPiece});
        send.append(char(isc_info_svc_line));
        send.append(char(size & 0xff));
        send.append(char((size >> 8) & 0xff));
        send.append(piece.constData(), size);
    }
    static const char items[] = {char(isc_info_svc_line), char(isc_info_svc_stdin)};
    static const QByteArray receive(items, sizeof items);
    m_lines.clear();
    m_wanted = 0;
    Answer answer;
    try {
        answer = m_service->query(send, receive, ServiceAttachment::kLineBuffer);
    } catch (...) {
        m_finished = true;
        throw;
    }
    QString line = QString::fromUtf8(answer.output);
    line.remove(u'\r');
    if (line.endsWith(u'\n'))
        line.chop(1);
    if (!answer.output.isEmpty())
        m_lines = line.split(u'\n');
    m_wanted = answer.wanted;
    m_finished = answer.output.isEmpty() && answer.wanted == 0 && !answer.more;
}

bool isFileCreationFailure(const EError& error)
{
    const auto* fbError = dynamic_cast<const FbError*>(&error);
    return fbError && fbError->hasCode(isc_io_create_err);
}

namespace {

void setProperty(const Location& database, const ConnectParams& account,
                 const std::function<void(IXpbBuilder*, ThrowStatusWrapper*)>& fill)
{
    ServiceAttachment service(database, account);
    service.start(isc_action_svc_properties, fill);
    service.drain();
}

} // namespace

void bringOnline(const Location& database, const ConnectParams& account)
{
    setProperty(database, account, [](IXpbBuilder* spb, ThrowStatusWrapper* st) {
        spb->insertInt(st, isc_spb_options, isc_spb_prp_db_online);
    });
}

void setForcedWrites(const Location& database, const ConnectParams& account, bool on)
{
    setProperty(database, account, [on](IXpbBuilder* spb, ThrowStatusWrapper* st) {
        const unsigned char mode = on ? isc_spb_prp_wm_sync : isc_spb_prp_wm_async;
        spb->insertBytes(st, isc_spb_prp_write_mode, &mode, 1);
    });
}

void activateDatabase(const Location& database, const ConnectParams& account)
{
    setProperty(database, account, [](IXpbBuilder* spb, ThrowStatusWrapper* st) {
        spb->insertInt(st, isc_spb_options, isc_spb_prp_activate);
    });
}

} // namespace fb
