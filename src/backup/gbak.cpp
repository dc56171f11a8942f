#include "backup/gbak.h"

#include "backup/backuptexts.h"
#include "core/eerror.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>

namespace {

// The same account the data module connects with.
QStringList credentials()
{
    return {QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-password"), QStringLiteral("velkarbin")};
}

// Every action reported: the progress window follows the tables.
const QString kVerbose = QStringLiteral("-v");

} // namespace

QStringList Gbak::serverTools() { return {QStringLiteral("/usr/bin/gbak"), QStringLiteral("/opt/firebird/bin/gbak")}; }

QString Gbak::locate(const QString& programFolder, const QStringList& serverTools)
{
    const QString own = programFolder + QStringLiteral("gbak");
    if (!programFolder.isEmpty() && QFileInfo(own).isFile())
        return own;
    for (const QString& tool : serverTools)
        if (QFileInfo(tool).isFile())
            return tool;
    return {};
}

Gbak Gbak::required(const QString& programFolder, const QStringList& serverTools)
{
    QString tool = locate(programFolder, serverTools);
    if (tool.isEmpty())
        throw EError(backuptexts::kToolNotFound);
    return Gbak(std::move(tool));
}

QString Gbak::address(const QString& databaseFile) { return QStringLiteral("127.0.0.1:") + databaseFile; }

QStringList Gbak::backupArguments(const QString& databaseFile, const QString& backupFile)
{
    return QStringList{QStringLiteral("-b")} + credentials() + QStringList{kVerbose, address(databaseFile), backupFile};
}

QStringList Gbak::restoreArguments(const QString& backupFile, const QString& databaseFile)
{
    // Create, never replace: a database that already exists is refused.
    return QStringList{QStringLiteral("-c")} + credentials() + QStringList{kVerbose, backupFile, address(databaseFile)};
}

GbakRun Gbak::run(const QStringList& arguments, const LineHandler& onLine) const
{
    GbakRun result;
    QProcess process;
    process.setProgram(m_program);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());

    QByteArray pending;
    auto readLines = [&](bool all) {
        pending += process.readAll();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0 || (all && !pending.isEmpty())) {
            const QByteArray raw = end >= 0 ? pending.left(end) : pending;
            pending.remove(0, end >= 0 ? end + 1 : pending.size());
            const QString line = QString::fromLocal8Bit(raw).remove(u'\r');
            result.output += line + u'\n';
            if (onLine)
                onLine(line);
        }
    };

    QEventLoop loop;
    bool done = false;
    bool failedToStart = false;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] { readLines(false); });
    QObject::connect(&process, &QProcess::finished, &loop, [&] {
        done = true;
        loop.quit();
    });
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        done = failedToStart = true;
        loop.quit();
    });
    process.start();
    if (!done)   // a program that cannot be found fails inside start() already
        loop.exec();
    if (failedToStart) {
        result.startError = process.errorString();
        return result;
    }
    readLines(true);
    result.started = true;
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    return result;
}
