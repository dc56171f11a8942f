#pragma once
// A TCP proxy on 127.0.0.1 that stands for the practice's network between
// the program and the database server: it forwards every connection to the
// server with a set delay each way, counts the exchanges that cross it, and
// can cut the link as a network fails, with a reset or in silence.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include <netinet/in.h>

namespace netlink {

enum class LinkState {
    Open,     // bytes travel, each after the delay
    Closed,   // every connection is reset, new ones at once (a server or router that refuses)
    Silent,   // bytes vanish both ways and nothing answers (a Wi-Fi that dropped)
};

class LatencyProxy {
public:
    // Listens on a free port of 127.0.0.1 and forwards to the target port
    // of 127.0.0.1; delay is added to each direction.
    LatencyProxy(int targetPort, std::chrono::microseconds delay);
    ~LatencyProxy();
    LatencyProxy(const LatencyProxy&) = delete;
    LatencyProxy& operator=(const LatencyProxy&) = delete;

    int port() const { return m_port; }

    // Exchanges since the start or the last resetCounts(): a client's
    // request answered by the server. Several requests sent before one
    // answer count once, as they cost one wait.
    std::int64_t roundTrips() const { return m_roundTrips.load(); }
    std::int64_t connections() const { return m_connections.load(); }
    void resetCounts();

    // Closed resets every connection; Silent drops every byte from then on.
    // Connections that went silent stay so (their streams lost bytes): a
    // client that gives one up is closed towards the server once the link is
    // open again, as its close would then get through. Open lets new
    // connections through. Returns once the proxy has done it.
    void setState(LinkState state);
    LinkState state() const { return m_state.load(); }

    // "host/port:" before a database path reaches the server through this proxy.
    std::string databasePrefix() const;

    // The address of a port of 127.0.0.1.
    static sockaddr_in loopback(int port);

private:
    struct Loop;
    void run();
    void wake();

    int m_port = 0;
    int m_listen = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::chrono::microseconds m_delay;
    int m_targetPort;
    std::atomic<LinkState> m_state{LinkState::Open};
    std::atomic<int> m_generation{0};   // of the state asked for
    std::atomic<int> m_applied{0};      // the generation the proxy's thread has acted on
    std::atomic<bool> m_stop{false};
    std::atomic<std::int64_t> m_roundTrips{0};
    std::atomic<std::int64_t> m_connections{0};
    std::thread m_thread;
};

} // namespace netlink
