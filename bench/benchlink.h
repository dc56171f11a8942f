#pragma once
// The practice's network for the benchmarks: the latency proxy adds 1 ms
// each way (a 2 ms round trip, what an office Wi-Fi gives) between the
// program and the server, and counts the round trips of each operation.
// Each "_lan" line prints NAME: ours=A ms round_trips=N, with the ratio
// against a floor that goes through the same link where there is one.

#include "benchtiming.h"
#include "latencyproxy.h"
#include "store/tdm.h"
#include "support/throughlink.h"

#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace bench {

class Link {
public:
    Link() : m_proxy(3050, std::chrono::microseconds(1000)) {}

    // The data module's connections go through the link from now on.
    void route(Tdm& dm) { routeThroughLink(dm.ZConnection1, m_proxy); }
    // A plain connection's settings through the link.
    fb::ConnectParams params(const TestDatabase& db) const { return throughLink(db.connectParams(), m_proxy); }
    netlink::LatencyProxy& proxy() { return m_proxy; }

private:
    netlink::LatencyProxy m_proxy;
};

struct LinkFigures {
    double ms = 0;               // median per operation
    long long roundTrips = 0;    // median per operation
};

// Times operations through the link, the sides taking turns operation by
// operation as in compareWith, and counts the round trips of each.
inline std::vector<LinkFigures> measureThrough(Link& link, const std::vector<Side>& sides, int operations,
                                               int warmUps = 2)
{
    for (int i = 0; i < warmUps; ++i)
        for (const Side& side : sides)
            timeOnce(side);
    std::vector<std::vector<double>> ms(sides.size()), trips(sides.size());
    for (int i = 0; i < operations; ++i) {
        for (size_t s = 0; s < sides.size(); ++s) {
            if (sides[s].setUp)
                sides[s].setUp();
            link.proxy().resetCounts();
            ms[s].push_back(bestMs(1, sides[s].run));
            trips[s].push_back(double(link.proxy().roundTrips()));
        }
    }
    std::vector<LinkFigures> figures;
    for (size_t s = 0; s < sides.size(); ++s)
        figures.push_back({median(ms[s]), (long long)median(trips[s])});
    return figures;
}

inline LinkFigures measureThrough(Link& link, const Side& side, int operations, int warmUps = 2)
{
    return measureThrough(link, std::vector<Side>{side}, operations, warmUps).front();
}

inline void reportLink(const char* name, const LinkFigures& ours)
{
    std::printf("%s: ours=%.1f ms round_trips=%lld\n", name, ours.ms, ours.roundTrips);
    std::fflush(stdout);
}

inline void reportLink(const char* name, const LinkFigures& ours, const LinkFigures& floor)
{
    std::printf("%s: ratio=%.2f ours=%.1f ms round_trips=%lld floor=%.1f ms floor_round_trips=%lld\n", name,
                ours.ms / floor.ms, ours.ms, ours.roundTrips, floor.ms, floor.roundTrips);
    std::fflush(stdout);
}

} // namespace bench
