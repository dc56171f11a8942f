#pragma once
// Timing for the benchmarks that compare one operation of the data module
// with the same statements on a plain connection: the two take turns
// operation by operation, so that a busy machine slows both alike, and the
// median operation of each side counts.

#include "benchutil.h"
#include "fb/connection.h"
#include "support/testdatabase.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

struct Side {
    std::function<void()> setUp;   // untimed, before each operation
    std::function<void()> run;   // the timed operation
};

inline double timeOnce(const Side& side)
{
    if (side.setUp)
        side.setUp();
    return bestMs(1, side.run);
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Reports the median milliseconds per operation of each side.
inline void compare(const char* name, const Side& ours, const Side& floor, int operations, int warmUps = 2)
{
    for (int i = 0; i < warmUps; ++i) {   // warm up caches and the server
        timeOnce(ours);
        timeOnce(floor);
    }
    std::vector<double> a, b;
    for (int i = 0; i < operations; ++i) {
        a.push_back(timeOnce(ours));
        b.push_back(timeOnce(floor));
    }
    report(name, median(a), median(b));
}

// A connection of the fb layer alone to the test database.
inline void connectPlain(fb::Connection& connection, const TestDatabase& db) { connection.connect(db.connectParams()); }

} // namespace bench
