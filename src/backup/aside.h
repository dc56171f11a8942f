#pragma once
// Work that waits for the server (a backup, a restore, a copy) runs on a
// thread of its own while this thread's event loop keeps the windows painted;
// the lines it reports reach this thread in order. The work touches no
// window and no data set of the data module.

#include <QString>
#include <functional>

using LineReport = std::function<void(const QString& line)>;

// Runs work aside and returns when it is over, raising what it raised; each
// line it reported went to onLine first, on this thread.
void runAside(const std::function<void(const LineReport& report)>& work, const LineReport& onLine);
