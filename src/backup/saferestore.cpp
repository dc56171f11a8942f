#include "backup/saferestore.h"

#include "backup/backuptexts.h"
#include "backup/backupwork.h"
#include "backup/databasefile.h"
#include "backup/durablefiles.h"
#include "backup/livedatabase.h"
#include "backup/pendingfile.h"
#include "backup/scratchdatabase.h"
#include "core/clock.h"
#include "core/eerror.h"
#include "platform/messages.h"
#include "store/tdm.h"

#include <QFileInfo>
#include <optional>

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

// The restored database takes the live one's place, which moves to
// "previous" (when there is one). Empty when done; otherwise nothing moved.
QString swapIn(const QString& restored, const QString& liveFile, const QString& previous, bool hadLive)
{
    QString error = hadLive ? durable::rename(liveFile, previous) : QString();
    if (error.isEmpty()) {
        error = durable::rename(restored, liveFile);
        if (!error.isEmpty() && hadLive)
            durable::rename(previous, liveFile);
    }
    return error;
}

// The restored database, which could not be opened, makes way for the
// previous one again and is dropped. Returns what the user is to be told.
QString putPreviousBack(LiveDatabase& live, const QString& previous, bool hadLive)
{
    try {
        live.close(true);
    } catch (...) {
        // Whatever could not be closed belongs to the database being taken away.
    }
    ScratchDatabase failed(live.folder(), QStringLiteral("marvok-restaurando"), live.settings());
    if (!durable::rename(live.file(), failed.path()).isEmpty()) {
        failed.release();   // nothing of ours lies under that name
        return hadLive ? kPreviousKept + u'\r' + previous : kUnchanged;
    }
    if (!hadLive)
        return kUnchanged;
    return durable::rename(previous, live.file()).isEmpty() ? kPutBack : kPreviousKept + u'\r' + previous;
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
    const Gbak gbak = Gbak::required(live.folder(), m_serverTools);
    live.saveEdits();

    BackupWork work(m_events, kRestoreTitle, int(live.recordTables().size()));
    // A database file, such as the one an earlier restore kept, is read
    // through a backup of it beside the live database, dropped at the end.
    std::optional<PendingFile> readBack;
    QString backupFile = file;
    QString failure;
    if (isDatabaseFile(file)) {
        readBack.emplace(live.folder() + QStringLiteral("marvok-lendo.bak"));
        failure = readBack->error();
        if (failure.isEmpty()) {
            const GbakRun backup = work.run(gbak, Gbak::backupArguments(file, readBack->path()),
                                            QStringLiteral(u"Lendo o banco de dados"));
            failure = backup.succeeded() ? QString() : backup.failureText();
        }
        backupFile = readBack->path();
    }
    ScratchDatabase scratch(live.folder(), QStringLiteral("marvok-restaurando"), live.settings());
    if (failure.isEmpty())
        failure = scratch.restoreFrom(backupFile, gbak, work, QStringLiteral(u"Lendo a cópia"), live.recordTables());
    if (failure.isEmpty() && live.otherAttachments() > 0)
        failure = QStringLiteral(u"O banco de dados está aberto em outro programa. Feche-o e tente de novo.");
    if (!failure.isEmpty()) {
        scratch.drop();
        work.finish();
        showFailure(failure, kUnchanged);
        return false;
    }

    work.step(kClosing);
    try {
        live.close(true);
    } catch (...) {
        scratch.drop();
        live.tryOpen();   // the closing's error is the one to show
        throw;
    }

    // The swap: two renames in the program's folder, the server attached to neither file.
    work.step(QStringLiteral("Substituindo o banco de dados"));
    const bool hadLive = QFileInfo::exists(live.file());
    const QString previous = previousDatabaseName(live.folder());
    if (const QString error = swapIn(scratch.path(), live.file(), previous, hadLive); !error.isEmpty()) {
        scratch.drop();
        const std::exception_ptr openError = live.tryOpen();
        work.finish();
        showFailure(QStringLiteral(u"O banco de dados não pôde ser substituído: ") + error, kUnchanged);
        if (openError)
            std::rethrow_exception(openError);
        return false;
    }
    scratch.release();

    work.step(kOpening);
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
        const QString outcome = putPreviousBack(live, previous, hadLive);
        const std::exception_ptr reopenError = live.tryOpen();
        work.finish();
        showFailure(messageOf(openError), outcome);
        if (reopenError)
            std::rethrow_exception(reopenError);
        return false;
    }
    work.finish();
    platform::showInformation(hadLive ? kRestored + QStringLiteral("\r\r") + kPreviousKept + u'\r' + previous
                                      : kRestored);
    return true;
}
