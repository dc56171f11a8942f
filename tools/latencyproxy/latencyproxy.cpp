#include "latencyproxy.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <list>
#include <stdexcept>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace netlink {

namespace {

using Clock = std::chrono::steady_clock;

void setNonBlocking(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK); }

void setNoDelay(int fd)
{
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// Closes with a reset instead of a close: the peer's next read fails.
void resetAndClose(int& fd)
{
    if (fd < 0)
        return;
    const linger now{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &now, sizeof now);
    ::close(fd);
    fd = -1;
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

struct Chunk {
    Clock::time_point due;
    std::string bytes;
    size_t written = 0;
};

// One direction of a connection: what was read from one side and waits
// for its time to be written to the other.
struct Lane {
    std::deque<Chunk> queue;
    bool sourceEnded = false;   // the side it reads from has closed

    bool writable(Clock::time_point now) const { return !queue.empty() && queue.front().due <= now; }
};

struct Link {
    int client = -1;
    int server = -1;     // -1: never connected (accepted while the link was silent)
    Lane up, down;       // client to server, server to client
    bool silent = false; // its bytes vanish for good
    bool upLast = false; // the last bytes seen went towards the server
    bool done = false;
};

} // namespace

struct LatencyProxy::Loop {
    LatencyProxy& proxy;
    std::list<Link> links;
    LinkState seen = LinkState::Open;

    void accept(Clock::time_point)
    {
        for (;;) {
            int fd = ::accept(proxy.m_listen, nullptr, nullptr);
            if (fd < 0)
                return;
            ++proxy.m_connections;
            const LinkState state = proxy.m_state.load();
            if (state == LinkState::Closed) {
                resetAndClose(fd);
                continue;
            }
            setNonBlocking(fd);
            setNoDelay(fd);
            Link link;
            link.client = fd;
            if (state == LinkState::Silent) {
                link.silent = true;
            } else {
                link.server = ::socket(AF_INET, SOCK_STREAM, 0);
                const sockaddr_in target = loopback(proxy.m_targetPort);
                if (link.server < 0 ||
                    ::connect(link.server, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
                    closeFd(link.server);
                    resetAndClose(link.client);
                    continue;
                }
                setNonBlocking(link.server);
                setNoDelay(link.server);
            }
            links.push_back(std::move(link));
        }
    }

    void applyState()
    {
        const int generation = proxy.m_generation.load();
        const LinkState state = proxy.m_state.load();
        if (state == seen) {
            proxy.m_applied = generation;
            return;
        }
        seen = state;
        for (Link& link : links) {
            if (state == LinkState::Closed) {
                resetAndClose(link.client);
                resetAndClose(link.server);
                link.done = true;
            } else if (state == LinkState::Silent) {
                link.silent = true;
                link.up.queue.clear();
                link.down.queue.clear();
            } else if (link.silent && link.client < 0) {
                // The client gave it up while nothing got through; now its close does.
                closeFd(link.server);
                link.done = true;
            }
        }
        proxy.m_applied = generation;
    }

    // Reads what one side has; false when that side is gone.
    bool readSide(Link& link, bool fromClient, Clock::time_point now)
    {
        int& fd = fromClient ? link.client : link.server;
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                if (link.silent)
                    continue;
                Lane& lane = fromClient ? link.up : link.down;
                lane.queue.push_back({now + proxy.m_delay, std::string(buffer, size_t(n))});
                if (fromClient) {
                    link.upLast = true;
                } else if (link.upLast) {
                    link.upLast = false;
                    ++proxy.m_roundTrips;
                }
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return true;
            if (n < 0 && errno == EINTR)
                continue;
            // Closed or reset by that side.
            const bool reset = n < 0;
            closeFd(fd);
            if (link.silent) {
                if (fromClient && proxy.m_state.load() != LinkState::Silent) {
                    closeFd(link.server);
                    link.done = true;
                } else if (!fromClient && link.client < 0) {
                    link.done = true;
                }
                return false;
            }
            if (reset) {
                resetAndClose(fromClient ? link.server : link.client);
                link.done = true;
                return false;
            }
            (fromClient ? link.up : link.down).sourceEnded = true;
            return false;
        }
    }

    void writeSide(Link& link, bool toServer, Clock::time_point now)
    {
        Lane& lane = toServer ? link.up : link.down;
        int& fd = toServer ? link.server : link.client;
        while (fd >= 0 && lane.writable(now)) {
            Chunk& c = lane.queue.front();
            const ssize_t n = ::send(fd, c.bytes.data() + c.written, c.bytes.size() - c.written, MSG_NOSIGNAL);
            if (n < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                    return;
                resetAndClose(link.client);
                resetAndClose(link.server);
                link.done = true;
                return;
            }
            c.written += size_t(n);
            if (c.written == c.bytes.size())
                lane.queue.pop_front();
        }
        // A side that closed closes the other once what it sent is through.
        if (lane.sourceEnded && lane.queue.empty() && !link.silent) {
            closeFd(link.client);
            closeFd(link.server);
            link.done = true;
        }
    }

    void run()
    {
        while (!proxy.m_stop.load()) {
            applyState();
            Clock::time_point now = Clock::now();
            std::vector<pollfd> fds;
            std::vector<std::pair<Link*, bool>> owners;   // the link of each socket, and whether it is the client side
            fds.push_back({proxy.m_wakeRead, POLLIN, 0});
            fds.push_back({proxy.m_listen, POLLIN, 0});
            owners.resize(2, {nullptr, false});
            Clock::time_point next = Clock::time_point::max();
            for (Link& link : links) {
                for (bool clientSide : {true, false}) {
                    const int fd = clientSide ? link.client : link.server;
                    if (fd < 0)
                        continue;
                    const Lane& outgoing = clientSide ? link.down : link.up;
                    short events = POLLIN;
                    if (outgoing.writable(now))
                        events |= POLLOUT;
                    else if (!outgoing.queue.empty())
                        next = std::min(next, outgoing.queue.front().due);
                    fds.push_back({fd, events, 0});
                    owners.push_back({&link, clientSide});
                }
            }
            timespec timeout{};
            timespec* wait = nullptr;
            if (next != Clock::time_point::max()) {
                const auto ns = std::max<std::int64_t>(
                    0, std::chrono::duration_cast<std::chrono::nanoseconds>(next - now).count());
                timeout.tv_sec = ns / 1000000000;
                timeout.tv_nsec = ns % 1000000000;
                wait = &timeout;
            }
            if (::ppoll(fds.data(), fds.size(), wait, nullptr) < 0 && errno != EINTR)
                break;
            now = Clock::now();
            if (fds[0].revents & POLLIN) {
                char drain[64];
                while (::read(proxy.m_wakeRead, drain, sizeof drain) > 0) {
                }
            }
            applyState();
            if (fds[1].revents & POLLIN)
                accept(now);
            for (size_t i = 2; i < fds.size(); ++i) {
                auto [link, clientSide] = owners[i];
                if (link->done || (clientSide ? link->client : link->server) != fds[i].fd)
                    continue;
                if (fds[i].revents & (POLLIN | POLLHUP | POLLERR))
                    readSide(*link, clientSide, now);
            }
            for (Link& link : links) {
                if (link.done)
                    continue;
                writeSide(link, true, now);
                if (!link.done)
                    writeSide(link, false, now);
            }
            links.remove_if([](const Link& l) { return l.done; });
        }
        for (Link& link : links) {
            closeFd(link.client);
            closeFd(link.server);
        }
    }
};

LatencyProxy::LatencyProxy(int targetPort, std::chrono::microseconds delay) : m_delay(delay), m_targetPort(targetPort)
{
    m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listen, 64) != 0 ||
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("latency proxy: cannot listen on 127.0.0.1");
    m_port = ntohs(address.sin_port);
    setNonBlocking(m_listen);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        throw std::runtime_error("latency proxy: no pipe");
    m_wakeRead = pipeFds[0];
    m_wakeWrite = pipeFds[1];
    setNonBlocking(m_wakeRead);
    setNonBlocking(m_wakeWrite);
    m_thread = std::thread([this] { run(); });
}

LatencyProxy::~LatencyProxy()
{
    m_stop = true;
    wake();
    m_thread.join();
    ::close(m_listen);
    ::close(m_wakeRead);
    ::close(m_wakeWrite);
}

void LatencyProxy::run()
{
    Loop loop{*this, {}};
    loop.run();
}

void LatencyProxy::wake()
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wakeWrite, &byte, 1);
}

void LatencyProxy::resetCounts()
{
    m_roundTrips = 0;
    m_connections = 0;
}

void LatencyProxy::setState(LinkState state)
{
    m_state = state;
    const int generation = ++m_generation;
    wake();
    while (m_applied.load() < generation)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
}

sockaddr_in LatencyProxy::loopback(int port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(uint16_t(port));
    return a;
}

std::string LatencyProxy::databasePrefix() const { return "127.0.0.1/" + std::to_string(m_port) + ":"; }

} // namespace netlink
