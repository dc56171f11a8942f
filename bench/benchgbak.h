#pragma once
// The floor of the backup and restore benchmarks: gbak run alone, as from
// the shell, with the same arguments the program gives it.

#include "backup/gbak.h"
#include "fb/connection.h"
#include "support/testdatabase.h"

#include <QFile>
#include <QProcess>
#include <cstdio>

namespace bench {

inline void runGbakAlone(const QStringList& arguments)
{
    QProcess p;
    p.setProgram(Gbak::locate(QString()));
    p.setArguments(arguments);
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start();
    if (!p.waitForFinished(-1) || p.exitCode() != 0)
        std::fprintf(stderr, "gbak %s failed\n", qPrintable(arguments.join(u' ')));
}

// Drops a database the floor restored, when there is one.
inline void dropIfThere(const TestDatabase& db, const QString& file)
{
    if (!QFile::exists(file))
        return;
    fb::ConnectParams p = db.connectParams();
    p.database = QStringLiteral("localhost:") + file;
    fb::Connection c;
    c.connect(p);
    c.dropDatabase();
}

} // namespace bench
