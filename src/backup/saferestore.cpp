#include "backup/saferestore.h"

#include "backup/backuppipe.h"
#include "backup/backuptexts.h"
#include "backup/backupwork.h"
#include "backup/databasefile.h"
#include "backup/failures.h"
#include "backup/livedatabase.h"
#include "backup/scratchdatabase.h"
#include "backup/servercopy.h"
#include "core/clock.h"
#include "core/eerror.h"
#include "fb/service.h"
#include "store/tdm.h"

#include <QFile>
#include <QFileInfo>

using namespace backuptexts;

namespace {

// What a restore deals with once the file was read.
struct Places {
    fb::Location live;       // the live database, by the server's own path
    fb::ConnectParams account;
    QString folder;          // the server's folder of it
    bool hadLive = false;    // there was a database to replace
    QDateTime liveCreated;   // and when the server created it
};

} // namespace

SafeRestore::SafeRestore(Tdm& dm, BackupEvents events) : m_dm(dm), m_events(std::move(events)) {}

QString SafeRestore::previousDatabaseName(const QString& folder, int n)
{
    const QString base = folder + QStringLiteral("marvok-") + Clock::now().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    return n > 1 ? base + u'-' + QString::number(n) + QStringLiteral(".fdb") : base + QStringLiteral(".fdb");
}

void SafeRestore::pass(Step step) const
{
    if (m_failing.contains(step))
        throw EError(QStringLiteral("falha provocada pelo teste"));
}

RestoreOutcome SafeRestore::run(const QString& file)
{
    LiveDatabase live(m_dm);
    live.saveEdits();

    Places at;
    at.account = live.account();
    const fb::Location where = live.location();
    const std::optional<QString> liveFile = live.serverFileIfThere();
    at.hadLive = liveFile.has_value();
    at.live = where.sibling(liveFile.value_or(where.path));
    at.folder = fb::serverFolderOf(at.live.path);
    if (at.hadLive) {
        at.liveCreated = live.created();
        live.restoreForcedWrites(*liveFile);
    }
    const QStringList tables = live.recordTables();

    RestoreOutcome outcome;
    if (at.folder.isEmpty()) {   // known to the server by an alias only, and it cannot be opened
        outcome.failure = Failure{QStringLiteral(u"O banco de dados do Marvok não pôde ser aberto no servidor."), {}};
        return outcome;
    }
    BackupWork work(m_events, kRestoreTitle, int(tables.size()));
    ScratchDatabase scratch(where, at.folder, QStringLiteral("marvok-restaurando"), at.account);

    // The file is read into the scratch database while the live one stays open.
    const QFileInfo chosen(file);
    if (isDatabaseFile(file) || (chosen.exists() && !chosen.isReadable())) {
        // A database: the server reads it itself, by the path it has here.
        const QString reason = QStringLiteral(u"O servidor do banco de dados não conseguiu ler o banco de dados "
                                              u"escolhido (ele precisa estar no computador do servidor).");
        work.aside(kReading, [&](const LineReport& report) {
            try {
                fb::BackupStream stream(where.sibling(chosen.absoluteFilePath()), at.account);
                ServerBackup source(stream);
                outcome.failure = scratch.restoreFrom(source, nullptr, tables, report, reason, false);
            } catch (...) {
                outcome.failure = failures::of(reason, std::current_exception());
            }
        });
    } else {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly)) {
            outcome.failure = Failure{QStringLiteral(u"O arquivo escolhido não pôde ser lido."), in.errorString()};
        } else {
            work.aside(kReading, [&](const LineReport& report) {
                FileBackup source(in);
                outcome.failure = scratch.restoreFrom(source, nullptr, tables, report,
                                                      QStringLiteral(u"O arquivo escolhido não pôde ser lido."), false);
            });
        }
    }
    if (outcome.failure.isEmpty() && live.otherAttachments() > 0)
        outcome.failure = Failure{QStringLiteral(u"O banco de dados está aberto em outro programa. Feche-o e tente de novo."), {}};
    if (!outcome.failure.isEmpty()) {
        scratch.drop();
        return outcome;
    }

    work.step(kClosing);
    try {
        live.close(true);
    } catch (...) {
        scratch.drop();
        live.tryOpen();   // the closing's error is the one to show
        throw;
    }

    // Whatever fails from here on, the live database is opened again (its
    // previous contents, when they had to be put back) and the scratch one dropped.
    auto endWith = [&](Failure failure, RestoreOutcome::Database database, const QString& previous) {
        outcome.failure = std::move(failure);
        outcome.database = database;
        outcome.previous = previous;
        work.step(kOpening);
        if (!outcome.reopenError)
            outcome.reopenError = live.tryOpen();
        work.aside(kOpening, [&](const LineReport&) { scratch.drop(); });
        return outcome;
    };
    // The kept copy goes back in the live database's place.
    auto putBack = [&](Failure failure, const QString& previous) {
        work.step(kPuttingBack);
        try {
            work.aside(kPuttingBack, [&](const LineReport&) {
                // What was copied in, if anything: only that database, known by its date.
                try {
                    if (servercopy::createdOf(at.live, at.account) == scratch.created())
                        servercopy::remove(at.live, at.account);
                } catch (const EError&) {
                }
                if (at.hadLive) {
                    pass(Step::PutBack);
                    servercopy::copy(at.live.sibling(previous), at.live.path, at.account);
                }
            });
        } catch (...) {
            return endWith(std::move(failure), RestoreOutcome::Database::PreviousKept, previous);
        }
        if (!at.hadLive)
            return endWith(std::move(failure), RestoreOutcome::Database::Unchanged, {});
        outcome.reopenError = live.tryOpen();
        if (outcome.reopenError || live.created() != at.liveCreated)
            return endWith(std::move(failure), RestoreOutcome::Database::PreviousKept, previous);
        // The copy back is in place: the kept copy is no longer needed.
        work.aside(kPuttingBack, [&](const LineReport&) {
            servercopy::remove(at.live.sibling(previous), at.account);
        });
        return endWith(std::move(failure), RestoreOutcome::Database::PutBack, {});
    };

    QString previous;
    if (at.hadLive) {
        work.step(kKeeping);
        try {
            work.aside(kKeeping, [&](const LineReport&) {
                pass(Step::KeepPrevious);
                for (int n = 1;; ++n) {
                    previous = previousDatabaseName(at.folder, n);
                    if (QFileInfo::exists(previous))   // a server on this PC: its folder is seen here
                        continue;
                    try {
                        servercopy::copy(at.live, previous, at.account);
                        return;
                    } catch (const EError& e) {
                        // The name is taken on the server: another one.
                        if (!fb::isFileCreationFailure(e) || n >= 20)
                            throw;
                    }
                }
            });
        } catch (...) {
            return endWith(failures::of(QStringLiteral(u"O banco de dados atual não pôde ser guardado antes de "
                                                       u"ser substituído."),
                                        std::current_exception()),
                           RestoreOutcome::Database::Unchanged, {});
        }
        work.step(kReplacing);
        try {
            work.aside(kReplacing, [&](const LineReport&) {
                pass(Step::RemoveLive);
                servercopy::remove(at.live, at.account);
                pass(Step::RemoveLiveWithErrors);
            });
        } catch (...) {
            const Failure failure = failures::of(QStringLiteral(u"O banco de dados não pôde ser substituído: o "
                                                                u"servidor não conseguiu removê-lo."),
                                                 std::current_exception());
            // A deletion that reports errors may have taken the file all the
            // same: the kept copy goes only when the database is still there,
            // as it was; otherwise it is put back.
            bool stillThere = false;
            work.aside(kReplacing, [&](const LineReport&) {
                try {
                    stillThere = servercopy::createdOf(at.live, at.account) == at.liveCreated;
                    if (stillThere)
                        servercopy::remove(at.live.sibling(previous), at.account);
                } catch (const EError&) {
                }
            });
            if (!stillThere)
                return putBack(failure, previous);
            return endWith(failure, RestoreOutcome::Database::Unchanged, {});
        }
    }

    work.step(kReplacing);
    try {
        work.aside(kReplacing, [&](const LineReport&) {
            pass(Step::CopyIn);
            servercopy::copy(scratch.location(), at.live.path, at.account);
        });
    } catch (...) {
        return putBack(failures::of(QStringLiteral(u"O servidor do banco de dados não conseguiu pôr a cópia "
                                                   u"restaurada no lugar do banco de dados."),
                                    std::current_exception()),
                       previous);
    }

    work.step(kOpening);
    try {
        pass(Step::Open);
        live.open();
        // A server that still held the old file open under this name would show it again.
        if (live.created() != scratch.created())
            throw EError(QStringLiteral(u"O servidor abriu outro banco de dados no lugar do restaurado."));
    } catch (...) {
        const Failure failure = failures::of(QStringLiteral(u"O banco de dados restaurado não pôde ser aberto."),
                                             std::current_exception());
        try {
            live.close(true);
        } catch (...) {
            // Whatever could not be closed belongs to the database being taken away.
        }
        return putBack(failure, previous);
    }
    work.aside(kOpening, [&](const LineReport&) { scratch.drop(); });
    outcome.restored = true;
    outcome.previous = previous;
    return outcome;
}
