#include "backup/saferestore.h"

#include "backup/backuptexts.h"
#include "backup/backupwork.h"
#include "backup/durablefiles.h"
#include "backup/livedatabase.h"
#include "backup/scratchdatabase.h"
#include "core/clock.h"
#include "core/eerror.h"
#include "platform/messages.h"
#include "store/tdm.h"

#include <QFileInfo>

using namespace backuptexts;

namespace {

QString messageOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EError& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
    }
    return {};
}

void showFailure(const QString& why, const QString& outcome)
{
    platform::showError(kNotRestored + QStringLiteral("\r\r") + why + QStringLiteral("\r\r") + outcome);
}

} // namespace

SafeRestore::SafeRestore(Tdm& dm, BackupEvents events, QStringList serverTools)
    : m_dm(dm), m_events(std::move(events)), m_serverTools(std::move(serverTools))
{
}

QString SafeRestore::previousDatabaseName(const QString& folder)
{
    const QString base = folder + QStringLiteral("marvok-") + Clock::now().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString name = base + QStringLiteral(".fdb");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + u'-' + QString::number(n) + QStringLiteral(".fdb");
    return name;
}

bool SafeRestore::run(const QString& file)
{
    LiveDatabase live(m_dm);
    const QString tool = Gbak::locate(live.folder(), m_serverTools);
    if (tool.isEmpty())
        throw EError(kToolNotFound);
    const Gbak gbak(tool);
    live.saveEdits();

    BackupWork work(m_events, kRestoreTitle, int(live.recordTables().size()));
    ScratchDatabase scratch(live.folder(), QStringLiteral("marvok-restaurando"), live.settings());
    const GbakRun restore =
        work.run(gbak, Gbak::restoreArguments(file, scratch.path()), QStringLiteral(u"Lendo a cópia"));
    QString failure = restore.succeeded() ? scratch.check(live.recordTables()) : restore.failureText();
    if (failure.isEmpty() && live.otherAttachments() > 0)
        failure = QStringLiteral(u"O banco de dados está aberto em outro programa. Feche-o e tente de novo.");
    if (!failure.isEmpty()) {
        scratch.drop();
        work.finish();
        showFailure(failure, kUnchanged);
        return false;
    }

    work.step(QStringLiteral("Fechando o banco de dados"));
    try {
        live.close(true);
    } catch (...) {
        scratch.drop();
        try {
            live.open();
        } catch (...) {
            // The closing's error is the one to show.
        }
        throw;
    }

    // The swap: two renames in the program's folder, the server attached to neither file.
    work.step(QStringLiteral("Substituindo o banco de dados"));
    const QString liveFile = live.file();
    const bool hadLive = QFileInfo::exists(liveFile);
    const QString previous = previousDatabaseName(live.folder());
    QString error = hadLive ? durable::rename(liveFile, previous) : QString();
    if (error.isEmpty()) {
        error = durable::rename(scratch.path(), liveFile);
        if (!error.isEmpty() && hadLive)
            durable::rename(previous, liveFile);
    }
    if (!error.isEmpty()) {
        scratch.drop();
        std::exception_ptr openError;
        try {
            live.open();
        } catch (...) {
            openError = std::current_exception();
        }
        work.finish();
        showFailure(QStringLiteral(u"O banco de dados não pôde ser substituído: ") + error, kUnchanged);
        if (openError)
            std::rethrow_exception(openError);
        return false;
    }
    scratch.release();

    work.step(QStringLiteral("Abrindo o banco de dados"));
    std::exception_ptr openError;
    try {
        live.open();
        // A server that still held the old file open under this name would show it again.
        if (live.created() != scratch.created())
            throw EError(QStringLiteral(u"O servidor abriu outro banco de dados no lugar do restaurado."));
    } catch (...) {
        openError = std::current_exception();
    }
    if (openError) {
        // Put the previous database back, and drop the restored one.
        try {
            live.close(true);
        } catch (...) {
            // Whatever could not be closed belongs to the database being taken away.
        }
        ScratchDatabase failed(live.folder(), QStringLiteral("marvok-restaurando"), live.settings());
        const bool movedAway = durable::rename(liveFile, failed.path()).isEmpty();
        if (!movedAway)
            failed.release();   // nothing of ours lies under that name
        const bool putBack = movedAway && (!hadLive || durable::rename(previous, liveFile).isEmpty());
        const QString outcome = !hadLive ? QString() : putBack ? kPutBack : kPreviousKept + u'\r' + previous;
        std::exception_ptr reopenError;
        try {
            live.open();
        } catch (...) {
            reopenError = std::current_exception();
        }
        failed.drop();
        work.finish();
        showFailure(messageOf(openError), outcome.isEmpty() ? kUnchanged : outcome);
        if (reopenError)
            std::rethrow_exception(reopenError);
        return false;
    }
    work.finish();
    platform::showInformation(hadLive ? kRestored + QStringLiteral("\r\r") + kPreviousKept + u'\r' + previous
                                      : kRestored);
    return true;
}
