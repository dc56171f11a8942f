#include "fb/answerwatch_p.h"
#include "fb/fbapi_p.h"

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include <dirent.h>
#include <sys/socket.h>
#include <unistd.h>

namespace fb::detail {

namespace {

using Clock = std::chrono::steady_clock;

// The inode of every socket this process holds, by its descriptor.
std::vector<std::pair<int, std::uint64_t>> openSockets()
{
    std::vector<std::pair<int, std::uint64_t>> sockets;
    DIR* dir = ::opendir("/proc/self/fd");
    if (!dir)
        return sockets;
    while (const dirent* entry = ::readdir(dir)) {
        char path[300];
        char target[64];
        std::snprintf(path, sizeof path, "/proc/self/fd/%s", entry->d_name);
        const ssize_t n = ::readlink(path, target, sizeof target - 1);
        if (n <= 0)
            continue;
        target[n] = 0;
        unsigned long long inode = 0;
        if (std::sscanf(target, "socket:[%llu]", &inode) == 1)
            sockets.push_back({std::atoi(entry->d_name), inode});
    }
    ::closedir(dir);
    return sockets;
}

// The remote port of each TCP socket of the system, by its inode.
std::vector<std::pair<std::uint64_t, int>> tcpRemotePorts()
{
    std::vector<std::pair<std::uint64_t, int>> ports;
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile f(QString::fromLatin1(table));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        f.readLine();   // the titles
        while (!f.atEnd()) {
            const QList<QByteArray> cells = f.readLine().simplified().split(' ');
            if (cells.size() < 10)
                continue;
            const QByteArray& remote = cells[2];
            const int port = remote.mid(remote.lastIndexOf(':') + 1).toInt(nullptr, 16);
            ports.push_back({cells[9].toULongLong(), port});
        }
    }
    return ports;
}

// What one thread is waiting for. The thread writes its call's details,
// then arms; the watch claims an armed call that outlived its answer time,
// cuts its link and says so; the thread, disarming, waits for a cut in
// progress to end before it lets the attachment go.
struct Slot {
    enum Phase : std::uint64_t { Idle = 0, Armed = 1, Cutting = 2 };
    std::atomic<std::uint64_t> state{Idle};   // call number * 4 + phase
    std::atomic<bool> cutDone{false};
    std::uint64_t calls = 0;
    // The call's details, published by the store of Armed.
    Firebird::IAttachment* attachment = nullptr;
    bool attaching = false;
    int serverPort = 0;
    std::set<std::uint64_t> socketsBefore;
    // Read by the watch before it claims the call, so written on its own.
    std::atomic<Clock::rep> deadline{0};
};

// The one thread that watches every thread's calls. It looks at them a few
// times a second, which costs the calls themselves nothing but two stores.
class AnswerWatch {
public:
    static AnswerWatch& instance()
    {
        static AnswerWatch watch;
        return watch;
    }

    void enlist(Slot* slot)
    {
        std::lock_guard lock(m_mutex);
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
        m_slots.push_back(slot);
    }

    void delist(Slot* slot)
    {
        std::lock_guard lock(m_mutex);
        m_slots.remove(slot);
    }

private:
    static constexpr std::chrono::milliseconds kLookEvery{100};

    AnswerWatch() = default;
    ~AnswerWatch()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable())
            m_thread.join();
    }

    void run()
    {
        std::unique_lock lock(m_mutex);
        while (!m_stop) {
            const Clock::time_point now = Clock::now();
            for (Slot* slot : m_slots) {
                std::uint64_t state = slot->state.load(std::memory_order_acquire);
                if ((state & 3) != Slot::Armed || Clock::time_point(Clock::duration(slot->deadline.load())) > now)
                    continue;
                if (slot->state.compare_exchange_strong(state, (state & ~std::uint64_t(3)) | Slot::Cutting,
                                                        std::memory_order_acq_rel)) {
                    cut(*slot);
                    slot->cutDone.store(true, std::memory_order_release);
                }
            }
            m_wake.wait_for(lock, kLookEvery);
        }
    }

    static void cut(const Slot& slot)
    {
        if (!slot.attaching) {
            if (!slot.attachment)
                return;
            Firebird::IStatus* status = master()->getStatus();
            Firebird::CheckStatusWrapper wrapper(status);
            slot.attachment->cancelOperation(&wrapper, fb_cancel_abort);
            status->dispose();
            return;
        }
        // Still attaching: the socket opened since to the server's port is the attachment's.
        std::vector<std::pair<std::uint64_t, int>> ports;
        if (slot.serverPort)
            ports = tcpRemotePorts();
        for (const auto& [fd, inode] : openSockets()) {
            if (slot.socketsBefore.count(inode))
                continue;
            bool toServer = slot.serverPort == 0;
            for (const auto& [portInode, port] : ports)
                toServer = toServer || (portInode == inode && port == slot.serverPort);
            if (toServer)
                ::shutdown(fd, SHUT_RDWR);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::list<Slot*> m_slots;
    std::thread m_thread;
    bool m_stop = false;
};

// This thread's slot, enlisted at its first guarded call.
struct ThreadSlot {
    Slot slot;
    bool enlisted = false;
    int depth = 0;   // guards alive on this thread
    ~ThreadSlot()
    {
        if (enlisted)
            AnswerWatch::instance().delist(&slot);
    }
    Slot& get()
    {
        if (!enlisted) {
            AnswerWatch::instance().enlist(&slot);
            enlisted = true;
        }
        return slot;
    }
};

thread_local ThreadSlot t_slot;

} // namespace

AnswerGuard::AnswerGuard(Firebird::IAttachment* attachment, std::chrono::milliseconds answerTime)
{
    arm(attachment, 0, answerTime);
}

AnswerGuard::AnswerGuard(int serverPort, std::chrono::milliseconds answerTime) { arm(nullptr, serverPort, answerTime); }

void AnswerGuard::arm(Firebird::IAttachment* attachment, int serverPort, std::chrono::milliseconds answerTime)
{
    // The calls inside one call of the layer are watched as one; a
    // connection without an answer time is not watched.
    if (t_slot.depth++ > 0 || answerTime.count() <= 0)
        return;
    m_outer = true;
    Slot& slot = t_slot.get();
    slot.attachment = attachment;
    slot.attaching = attachment == nullptr;
    slot.serverPort = serverPort;
    slot.socketsBefore.clear();
    if (slot.attaching)
        for (const auto& [fd, inode] : openSockets())
            slot.socketsBefore.insert(inode);
    m_deadline = Clock::now() + answerTime;
    slot.deadline.store(m_deadline.time_since_epoch().count());
    slot.state.store(++slot.calls * 4 + Slot::Armed, std::memory_order_release);
}

void AnswerGuard::end()
{
    if (m_ended)
        return;
    m_ended = true;
    --t_slot.depth;
    if (!m_outer)
        return;
    Slot& slot = t_slot.slot;
    const std::uint64_t was = slot.state.exchange(slot.calls * 4 + Slot::Idle, std::memory_order_acq_rel);
    if ((was & 3) == Slot::Cutting) {
        while (!slot.cutDone.load(std::memory_order_acquire))
            std::this_thread::yield();
        slot.cutDone.store(false, std::memory_order_relaxed);
        m_cut = true;
    }
}

AnswerGuard::~AnswerGuard() { end(); }

bool AnswerGuard::timedOut()
{
    end();
    return m_cut || (m_outer && Clock::now() >= m_deadline);
}

int serverPortOf(const char* location)
{
    static const QRegularExpression url(QStringLiteral("^inet[46]?://[^/:]+(?::(\\w+))?/"));
    static const QRegularExpression classic(QStringLiteral("^[^:/\\\\]+(?:/(\\w+))?:"));
    const QString text = QString::fromUtf8(location);
    QRegularExpressionMatch m = url.match(text);
    if (!m.hasMatch())
        m = classic.match(text);
    if (!m.hasMatch() || m.captured(1).isEmpty())
        return 3050;
    bool numeric = false;
    const int port = m.captured(1).toInt(&numeric);
    return numeric ? port : 0;
}

} // namespace fb::detail
