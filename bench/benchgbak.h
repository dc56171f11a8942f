#pragma once
// The floor of the backup and restore benchmarks: the way the program
// worked before it used the server's service manager, gbak run as a client
// of the server (through 127.0.0.1, every row over the wire), as from the
// shell.

#include "fb/connection.h"
#include "fb/service.h"
#include "support/testaccount.h"
#include "support/testdatabase.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>

namespace bench {

inline QStringList gbakAccount()
{
    return {QStringLiteral("-user"), testAccount().user, QStringLiteral("-password"), testAccount().password};
}

inline QStringList gbakClientBackup(const QString& databaseFile, const QString& backupFile)
{
    return QStringList{QStringLiteral("-b")} + gbakAccount() +
           QStringList{QStringLiteral("-v"), QStringLiteral("127.0.0.1:") + databaseFile, backupFile};
}

inline QStringList gbakClientRestore(const QString& backupFile, const QString& databaseFile)
{
    return QStringList{QStringLiteral("-c")} + gbakAccount() +
           QStringList{QStringLiteral("-v"), backupFile, QStringLiteral("127.0.0.1:") + databaseFile};
}

inline void runGbakAlone(const QStringList& arguments)
{
    QProcess p;
    p.setProgram(QStandardPaths::findExecutable(QStringLiteral("gbak")));
    p.setArguments(arguments);
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start();
    if (!p.waitForFinished(-1) || p.exitCode() != 0)
        std::fprintf(stderr, "gbak %s failed\n", qPrintable(arguments.first()));
}

// A backup of the test database written by the server into a file here.
inline void writeBackup(const TestDatabase& db, const QString& file)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        std::exit(1);
    fb::BackupStream stream(fb::parseLocation(db.location()), testAccount());
    for (QByteArray piece = stream.read(); !piece.isEmpty(); piece = stream.read())
        out.write(piece);
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
