#include "support/childprocesses.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <unistd.h>

namespace {

QByteArray readProcFile(qint64 pid, const char* name)
{
    QFile f(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The parent of a process: the fourth field of its stat line, after the
// command name in parentheses (which may hold blanks and parentheses itself).
qint64 parentOf(qint64 pid)
{
    const QByteArray stat = readProcFile(pid, "stat");
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() : -1;
}

QByteArrayList nulSeparated(const QByteArray& data)
{
    QByteArrayList items = data.split('\0');
    items.removeAll(QByteArray());
    return items;
}

} // namespace

bool ChildProcess::mentions(const QByteArray& text) const
{
    for (const QByteArrayList* list : {&arguments, &environment})
        for (const QByteArray& item : *list)
            if (item.contains(text))
                return true;
    return false;
}

QList<ChildProcess> childProcesses()
{
    QMultiMap<qint64, qint64> children;   // parent -> child
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (number)
            children.insert(parentOf(pid), pid);
    }
    QList<ChildProcess> found;
    QList<qint64> parents{qint64(::getpid())};
    QSet<qint64> seen;
    while (!parents.isEmpty()) {
        for (qint64 pid : children.values(parents.takeFirst())) {
            if (seen.contains(pid))
                continue;
            seen.insert(pid);
            parents << pid;
            found << ChildProcess{pid, nulSeparated(readProcFile(pid, "cmdline")),
                                  nulSeparated(readProcFile(pid, "environ"))};
        }
    }
    return found;
}
