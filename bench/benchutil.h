#pragma once
// Small helpers of the benchmarks: timing and the one line each prints.

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace bench {

// Best of several runs, in milliseconds.
inline double bestMs(int runs, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

inline void report(const char* name, double ours, double floor)
{
    std::printf("%s: ratio=%.2f ours=%.1f ms floor=%.1f ms\n", name, ours / floor, ours, floor);
    std::fflush(stdout);
}

// Resident memory of this process in bytes.
inline long long residentBytes()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

} // namespace bench
