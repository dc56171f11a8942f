#include "backup/safebackup.h"

#include "backup/backuptexts.h"
#include "backup/backupwork.h"
#include "backup/livedatabase.h"
#include "backup/pendingfile.h"
#include "backup/scratchdatabase.h"
#include "platform/messages.h"
#include "store/tdm.h"

#include <QFileInfo>
#include <exception>

using namespace backuptexts;

SafeBackup::SafeBackup(Tdm& dm, BackupEvents events, QStringList serverTools)
    : m_dm(dm), m_events(std::move(events)), m_serverTools(std::move(serverTools))
{
}

bool SafeBackup::run(const QString& file)
{
    LiveDatabase live(m_dm);
    const Gbak gbak = Gbak::required(live.folder(), m_serverTools);
    if (QFileInfo(file).canonicalFilePath() == QFileInfo(live.file()).canonicalFilePath() &&
        QFileInfo::exists(live.file())) {
        platform::showMessage(kNotCreated + QStringLiteral("\r\r") + kIsTheDatabase);
        return false;
    }
    const bool existed = QFileInfo::exists(file);
    if (existed && platform::askYesNo(kOverwrite) != platform::MsgButton::Yes)
        return false;
    const QString oldFileKept = existed ? QStringLiteral("\r\r") + kOldFileKept : QString();
    live.saveEdits();

    PendingFile pending(file);
    if (!pending.error().isEmpty()) {
        platform::showMessage(kNotCreated + QStringLiteral("\r\r") + pending.error() + oldFileKept);
        return false;
    }

    BackupWork work(m_events, kBackupTitle, int(live.recordTables().size()));
    work.step(kClosing);
    try {
        live.close(false);
    } catch (...) {
        live.tryOpen();   // the closing's error is the one to show
        throw;
    }
    const GbakRun backup =
        work.run(gbak, Gbak::backupArguments(live.file(), pending.path()), QStringLiteral(u"Gravando a cópia"));
    work.step(kOpening);
    const std::exception_ptr openError = live.tryOpen();

    QString failure = backup.succeeded() ? verify(live, gbak, work, pending.path()) : backup.failureText();
    if (failure.isEmpty())
        failure = pending.commit();
    work.finish();
    if (failure.isEmpty())
        platform::showMessage(kCreated);
    else
        platform::showMessage(kNotCreated + QStringLiteral("\r\r") + failure + oldFileKept);
    if (openError)
        std::rethrow_exception(openError);
    return failure.isEmpty();
}

QString SafeBackup::verify(const LiveDatabase& live, const Gbak& gbak, BackupWork& work, const QString& backupFile)
{
    ScratchDatabase scratch(live.folder(), QStringLiteral("marvok-conferindo"), live.settings());
    const QString failure =
        scratch.restoreFrom(backupFile, gbak, work, QStringLiteral(u"Conferindo a cópia"), live.recordTables());
    if (failure.isEmpty())
        return {};
    return QStringLiteral(u"A cópia gravada não pôde ser conferida.\r") + failure;
}
