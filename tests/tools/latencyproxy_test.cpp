// The latency proxy of the benchmarks and the network tests, between a
// client and a small line server: what it forwards, what it counts, and
// the two ways it cuts the link.

#include "latencyproxy.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using netlink::LatencyProxy;
using netlink::LinkState;

// Waits for bytes; "" when none came in time, "<closed>" or "<reset>" when
// the peer ended the connection.
std::string receive(int fd, std::chrono::milliseconds wait = 5s)
{
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, int(wait.count())) <= 0)
        return {};
    char buffer[4096];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n == 0)
        return "<closed>";
    if (n < 0)
        return "<reset>";
    return std::string(buffer, size_t(n));
}

// Answers every line it reads with "ok " and the line; keeps the ends of
// its connections so that a test can see what reached it.
class LineServer {
public:
    LineServer()
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a = LatencyProxy::loopback(0);
        socklen_t length = sizeof a;
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_listen, 8);
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &length);
        m_port = ntohs(a.sin_port);
    }
    ~LineServer()
    {
        for (int fd : m_accepted)
            ::close(fd);
        ::close(m_listen);
    }
    int port() const { return m_port; }

    // The next connection that reached the server, or -1.
    int accept(std::chrono::milliseconds wait = 5s)
    {
        pollfd p{m_listen, POLLIN, 0};
        if (::poll(&p, 1, int(wait.count())) <= 0)
            return -1;
        const int fd = ::accept(m_listen, nullptr, nullptr);
        m_accepted.push_back(fd);
        return fd;
    }
    // Reads up to a whole line, which may come in pieces, and answers it.
    static void answer(int fd)
    {
        std::string line = receive(fd);
        while (!line.empty() && line.back() != '\n') {
            const std::string more = receive(fd);
            if (more.empty() || more[0] == '<')
                break;
            line += more;
        }
        const std::string reply = "ok " + line;
        ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
    }

private:
    int m_listen = -1;
    int m_port = 0;
    std::vector<int> m_accepted;
};

int connectTo(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in a = LatencyProxy::loopback(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void say(int fd, const std::string& text) { ::send(fd, text.data(), text.size(), MSG_NOSIGNAL); }

class LatencyProxyTest : public ::testing::Test {
protected:
    LineServer server;
    LatencyProxy proxy{server.port(), 20ms};
};

} // namespace

TEST_F(LatencyProxyTest, ForwardsBothWaysAfterTheDelayAndCountsEachAnsweredRequestOnce)
{
    const int client = connectTo(proxy.port());
    ASSERT_GE(client, 0);
    const int end = server.accept();
    ASSERT_GE(end, 0);

    for (int i = 0; i < 3; ++i) {
        const auto sent = std::chrono::steady_clock::now();
        say(client, "pergunta\n");
        LineServer::answer(end);
        EXPECT_EQ(receive(client), "ok pergunta\n");
        // Each way waits for the delay: a lower bound, which a busy machine only lengthens.
        EXPECT_GE(std::chrono::steady_clock::now() - sent, 40ms);
    }
    EXPECT_EQ(proxy.roundTrips(), 3);

    // Two requests sent before one answer cost one wait.
    proxy.resetCounts();
    say(client, "a");
    say(client, "b\n");
    LineServer::answer(end);
    EXPECT_EQ(receive(client), "ok ab\n");
    EXPECT_EQ(proxy.roundTrips(), 1);
    EXPECT_EQ(proxy.connections(), 0) << "the count of connections starts again too";
    ::close(client);
    EXPECT_EQ(receive(end), "<closed>") << "a client's close reaches the server";
}

TEST_F(LatencyProxyTest, AClosedLinkResetsBothEndsAndRefusesNewConnectionsUntilItOpens)
{
    const int client = connectTo(proxy.port());
    const int end = server.accept();
    ASSERT_GE(end, 0);
    proxy.setState(LinkState::Closed);
    EXPECT_EQ(receive(client), "<reset>");
    EXPECT_EQ(receive(end), "<reset>");
    ::close(client);

    const int refused = connectTo(proxy.port());
    EXPECT_EQ(receive(refused), "<reset>");
    ::close(refused);
    EXPECT_EQ(server.accept(200ms), -1) << "nothing reached the server while the link was closed";

    proxy.setState(LinkState::Open);
    const int again = connectTo(proxy.port());
    const int againEnd = server.accept();
    ASSERT_GE(againEnd, 0);
    say(again, "de novo\n");
    LineServer::answer(againEnd);
    EXPECT_EQ(receive(again), "ok de novo\n");
    ::close(again);
}

TEST_F(LatencyProxyTest, ASilentLinkLosesEveryByteAndPassesTheClientsCloseOnlyOnceItIsOpenAgain)
{
    const int client = connectTo(proxy.port());
    const int end = server.accept();
    ASSERT_GE(end, 0);
    proxy.setState(LinkState::Silent);

    say(client, "alguém aí?\n");
    EXPECT_EQ(receive(end, 300ms), "") << "the request vanished";
    say(end, "resposta perdida\n");
    EXPECT_EQ(receive(client, 300ms), "") << "and so does what the server sends";

    // A connection made while the link is silent is taken, and nothing more.
    const int late = connectTo(proxy.port());
    ASSERT_GE(late, 0);
    say(late, "oi\n");
    EXPECT_EQ(server.accept(300ms), -1);
    EXPECT_EQ(receive(late, 300ms), "");
    ::close(late);

    // The client gives up: the server hears of it only when the link is back,
    // and that old connection carries nothing any more.
    ::close(client);
    EXPECT_EQ(receive(end, 300ms), "");
    proxy.setState(LinkState::Open);
    EXPECT_EQ(receive(end), "<closed>");

    const int fresh = connectTo(proxy.port());
    const int freshEnd = server.accept();
    ASSERT_GE(freshEnd, 0);
    say(fresh, "voltou\n");
    LineServer::answer(freshEnd);
    EXPECT_EQ(receive(fresh), "ok voltou\n");
    ::close(fresh);
}
