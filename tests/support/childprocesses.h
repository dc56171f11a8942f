#pragma once
// The processes this one started, and theirs in turn, as the system lists
// them: what each was given on its command line and in its environment.

#include <QByteArrayList>
#include <QList>

struct ChildProcess {
    qint64 pid = 0;
    QByteArrayList arguments;
    QByteArrayList environment;

    // Whether the text is part of an argument or of an environment entry.
    bool mentions(const QByteArray& text) const;
};

// Every descendant of this process that is alive now.
QList<ChildProcess> childProcesses();
