// marvok-latencyproxy: the latency proxy as a program of its own, for trying
// Marvok by hand over a slow or failing link. It prints the port it listens
// on; SIGUSR1 resets the link, SIGUSR2 makes it silent, SIGHUP opens it
// again; SIGINT or SIGTERM ends it with the round trips it counted.

#include "latencyproxy.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_signal = 0;

void remember(int signal) { g_signal = signal; }

int usage()
{
    std::fprintf(stderr, "usage: marvok-latencyproxy [--target PORT] [--delay-ms MS]\n"
                         "  forwards a free port of 127.0.0.1 to 127.0.0.1:PORT (3050) with MS (1) each way\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int target = 3050;
    double delayMs = 1.0;
    for (int i = 1; i < argc; ++i) {
        if (i + 1 < argc && std::strcmp(argv[i], "--target") == 0)
            target = std::atoi(argv[++i]);
        else if (i + 1 < argc && std::strcmp(argv[i], "--delay-ms") == 0)
            delayMs = std::atof(argv[++i]);
        else
            return usage();
    }
    netlink::LatencyProxy proxy(target, std::chrono::microseconds(long(delayMs * 1000)));
    std::printf("listening on 127.0.0.1:%d, database prefix %s\n", proxy.port(), proxy.databasePrefix().c_str());
    std::fflush(stdout);
    for (int s : {SIGINT, SIGTERM, SIGUSR1, SIGUSR2, SIGHUP})
        std::signal(s, remember);
    for (;;) {
        pause();
        const int s = g_signal;
        g_signal = 0;
        if (s == SIGUSR1)
            proxy.setState(netlink::LinkState::Closed);
        else if (s == SIGUSR2)
            proxy.setState(netlink::LinkState::Silent);
        else if (s == SIGHUP)
            proxy.setState(netlink::LinkState::Open);
        else if (s == SIGINT || s == SIGTERM)
            break;
    }
    std::printf("round trips=%lld connections=%lld\n", (long long)proxy.roundTrips(), (long long)proxy.connections());
    return 0;
}
