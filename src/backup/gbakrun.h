#pragma once
// How one run of gbak ended: whether it started, its exit code and
// everything it wrote.

#include <QString>

struct GbakRun {
    bool started = false;
    bool crashed = false;
    int exitCode = -1;
    QString output;      // standard output and error, as written
    QString startError;  // why it could not be started

    // Started, ended by itself with exit code 0 and reported no error.
    bool succeeded() const;
    // Why it failed, in Portuguese words around what the tool said.
    QString failureText() const;
};
