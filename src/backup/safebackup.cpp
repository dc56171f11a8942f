#include "backup/safebackup.h"

#include "backup/backuppipe.h"
#include "backup/backuptexts.h"
#include "backup/backupwork.h"
#include "backup/failures.h"
#include "backup/livedatabase.h"
#include "backup/pendingfile.h"
#include "backup/scratchdatabase.h"
#include "fb/service.h"
#include "store/tdm.h"

#include <QFile>
#include <QFileInfo>

using namespace backuptexts;

namespace {

bool sameFile(const QString& a, const QString& b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

SafeBackup::SafeBackup(Tdm& dm, BackupEvents events) : m_dm(dm), m_events(std::move(events)) {}

bool SafeBackup::isTheDatabase(const QString& file) const { return sameFile(file, m_dm.databaseFile()); }

BackupOutcome SafeBackup::run(const QString& file)
{
    LiveDatabase live(m_dm);
    BackupOutcome outcome;
    if (isTheDatabase(file)) {
        outcome.result = BackupOutcome::Result::IsTheDatabase;
        return outcome;
    }
    outcome.oldFileKept = QFileInfo::exists(file);
    live.saveEdits();
    const QString serverFile = live.serverFile();
    if (sameFile(file, serverFile)) {   // the server on this PC, its file chosen by its own path
        outcome.result = BackupOutcome::Result::IsTheDatabase;
        return outcome;
    }

    live.restoreForcedWrites(serverFile);

    PendingFile pending(file);
    if (!pending.error().isEmpty()) {
        outcome.failure = Failure{QStringLiteral(u"Não foi possível criar um arquivo na pasta escolhida."),
                                  pending.error()};
        return outcome;
    }

    BackupWork work(m_events, kBackupTitle, int(live.recordTables().size()));
    work.step(kClosing);
    try {
        live.close(false);
    } catch (...) {
        live.tryOpen();   // the closing's error is the one to show
        throw;
    }

    const fb::Location where = live.location();
    ScratchDatabase scratch(where, fb::serverFolderOf(serverFile), QStringLiteral("marvok-conferindo"), live.account());
    work.aside(kWriting, [&](const LineReport& report) {
        QFile out(pending.path());
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            outcome.failure = Failure{QStringLiteral(u"Não foi possível gravar o arquivo."), out.errorString()};
            return;
        }
        fb::BackupStream stream(where.sibling(serverFile), live.account());
        ServerBackup source(stream);
        outcome.failure = scratch.restoreFrom(
            source, &out, live.recordTables(), report,
            QStringLiteral(u"O servidor do banco de dados não conseguiu fazer a cópia."), true);
        if (outcome.failure.isEmpty() && !out.flush())
            outcome.failure = Failure{QStringLiteral(u"Não foi possível gravar o arquivo."), out.errorString()};
        scratch.drop();
    });

    work.step(kOpening);
    outcome.reopenError = live.tryOpen();
    if (outcome.failure.isEmpty())
        if (const QString error = pending.commit(); !error.isEmpty())
            outcome.failure = Failure{QStringLiteral(u"Não foi possível gravar o arquivo."), error};
    outcome.result = outcome.failure.isEmpty() ? BackupOutcome::Result::Created : BackupOutcome::Result::Failed;
    return outcome;
}
