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

struct Floor {
    const char* name;   // the line printed for ours against this floor
    Side side;
};

// Times ours and every floor turn by turn in one run, and prints one line a
// floor with the median milliseconds per operation of ours and of it.
inline void compareWith(const Side& ours, const std::vector<Floor>& floors, int operations, int warmUps = 2)
{
    for (int i = 0; i < warmUps; ++i) {   // warm up caches and the server
        timeOnce(ours);
        for (const Floor& f : floors)
            timeOnce(f.side);
    }
    std::vector<double> a;
    std::vector<std::vector<double>> b(floors.size());
    for (int i = 0; i < operations; ++i) {
        a.push_back(timeOnce(ours));
        for (size_t f = 0; f < floors.size(); ++f)
            b[f].push_back(timeOnce(floors[f].side));
    }
    for (size_t f = 0; f < floors.size(); ++f)
        report(floors[f].name, median(a), median(b[f]));
}

// Reports the median milliseconds per operation of each side.
inline void compare(const char* name, const Side& ours, const Side& floor, int operations, int warmUps = 2)
{
    compareWith(ours, {{name, floor}}, operations, warmUps);
}

// A connection of the fb layer alone to the test database.
inline void connectPlain(fb::Connection& connection, const TestDatabase& db) { connection.connect(db.connectParams()); }

} // namespace bench
