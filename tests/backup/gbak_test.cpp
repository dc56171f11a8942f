#include "backup/gbak.h"
#include "backup/gbakprogress.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString writeScript(const QString& folder, const QByteArray& body, bool executable = true)
{
    const QString path = folder + QStringLiteral("gbak");
    QFile::remove(path);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n" + body);
    f.close();
    if (executable)
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

TEST(GbakTest, TheProgramFoldersOwnToolComesFirstThenTheServers)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QString server = QStringLiteral("/usr/bin/gbak");
    EXPECT_EQ(Gbak::locate(folder, {QStringLiteral("/nao/existe/gbak"), server}), server);
    EXPECT_EQ(Gbak::locate(folder, {QStringLiteral("/nao/existe/gbak")}), QString());
    const QString own = writeScript(folder, "exit 0\n");
    EXPECT_EQ(Gbak::locate(folder, {server}), own);
    EXPECT_TRUE(Gbak::serverTools().contains(server));
}

TEST(GbakTest, CommandLinesKeepTheirSwitchesInOrder)
{
    const QString db = QStringLiteral("/pasta com espaço/marvok.fdb");
    const QString file = QStringLiteral("/cópias/a \"b\".bak");
    EXPECT_EQ(Gbak::backupArguments(db, file),
              (QStringList{"-b", "-user", "SYSDBA", "-password", "velkarbin", "-v",
                           QStringLiteral("127.0.0.1:/pasta com espaço/marvok.fdb"), file}));
    EXPECT_EQ(Gbak::restoreArguments(file, db),
              (QStringList{"-c", "-user", "SYSDBA", "-password", "velkarbin", "-v", file,
                           QStringLiteral("127.0.0.1:/pasta com espaço/marvok.fdb")}));
}

// The arguments reach the tool one by one, untouched by any shell; its input
// is closed, so a tool that asks there for the next volume reads the end at
// once instead of waiting for ever; its exit code and every line it wrote come back.
TEST(GbakTest, RunsWithTheArgumentsAsTheyAreAndItsInputClosed)
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/marvok 'gbak' \"x\" XXXXXX"));
    const QString folder = dir.path() + u'/';
    const Gbak gbak(writeScript(folder, "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args\"\n"
                                        "echo 'Press return to reopen that file.  Name: '\n"
                                        "read answer || echo 'gbak: ERROR:Backup incomplete'\n"
                                        "echo 'gbak:Exiting before completion due to errors' >&2\n"
                                        "exit 3\n"));
    const QStringList arguments{QStringLiteral("-c"), QStringLiteral("a b"), QStringLiteral("c\"d"),
                                QStringLiteral("e'f"), QStringLiteral("$(touch x)"), QStringLiteral("g;h *")};
    QStringList lines;
    const GbakRun run = gbak.run(arguments, [&](const QString& line) { lines << line; });

    QFile args(folder + QStringLiteral("args"));
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(args.readAll()).split(u'\n', Qt::SkipEmptyParts), arguments);
    EXPECT_FALSE(QFile::exists(QStringLiteral("x")));
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_FALSE(run.succeeded());
    EXPECT_EQ(lines, (QStringList{"Press return to reopen that file.  Name: ", "gbak: ERROR:Backup incomplete",
                                  "gbak:Exiting before completion due to errors"}));
    EXPECT_EQ(run.failureText(), QStringLiteral(u"O gbak informou:\rBackup incomplete"));
}

TEST(GbakTest, AnErrorLineIsAFailureWhateverTheExitCodeAndAToolThatCannotStartIsReported)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const GbakRun quiet = Gbak(writeScript(folder, "echo 'gbak: ERROR:conversion error'\nexit 0\n")).run({});
    EXPECT_FALSE(quiet.succeeded());
    EXPECT_EQ(quiet.failureText(), QStringLiteral(u"O gbak informou:\rconversion error"));

    const GbakRun blocked = Gbak(writeScript(folder, "exit 0\n", false)).run({});
    EXPECT_FALSE(blocked.started);
    EXPECT_FALSE(blocked.succeeded());
    EXPECT_TRUE(blocked.failureText().startsWith(QStringLiteral(u"O gbak não pôde ser executado: ")));
}

// A backup names every table as it writes its data; a restore names only the
// tables that hold rows, in the reverse order of their definitions.
TEST(GbakProgressTest, CountsTheTablesDone)
{
    GbakProgress backup(15);
    EXPECT_EQ(backup.total(), 15);
    for (const char* line : {"gbak:    writing table A", "gbak:    writing table B", "gbak:    writing table C"})
        backup.read(QString::fromLatin1(line));
    EXPECT_EQ(backup.total(), 3);
    backup.read(QStringLiteral("gbak:    writing data for table C"));
    EXPECT_EQ(backup.done(), 0);
    backup.read(QStringLiteral("gbak:    writing data for table B"));
    EXPECT_EQ(backup.done(), 1);
    EXPECT_EQ(backup.table(), QStringLiteral("B"));
    backup.finish();
    EXPECT_EQ(backup.done(), 3);

    GbakProgress restore(15);
    for (const char* line : {"gbak:restoring table A", "gbak:restoring table B", "gbak:restoring table C",
                             "gbak:restoring table D"})
        restore.read(QString::fromLatin1(line));
    EXPECT_FALSE(restore.read(QStringLiteral("gbak:    restoring index PK_D")));
    restore.read(QStringLiteral("gbak:restoring data for table B"));
    EXPECT_EQ(restore.done(), 2);   // D and C held no rows
    EXPECT_EQ(restore.table(), QStringLiteral("B"));
    restore.read(QStringLiteral("gbak:creating indexes"));
    EXPECT_TRUE(restore.indexing());
    EXPECT_EQ(restore.done(), 4);
}

} // namespace
