// "Restaurar..." without its dialog over 100,000 demo patients with their
// whole records: the file handed to the server, which restores it into a
// scratch database, its check, closing the live database, the server's copy
// of it kept beside it, the scratch database copied in its place, and opening
// the patient list again; against the way it was done before, gbak as a
// client restoring the same file plus the two renames of the swap.

#include "backup/durablefiles.h"
#include "backup/saferestore.h"
#include "benchdata.h"
#include "benchgbak.h"
#include "benchtiming.h"
#include "store/tdm.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestDatabase db;
    bench::fillDemo(db, 100000);
    QTemporaryDir files;
    const QString file = files.path() + QStringLiteral("/marvok.bak");
    const QString live = db.folder() + QStringLiteral("marvok.fdb");
    const QString scratch = db.folder() + QStringLiteral("plain.fdb");
    bench::writeBackup(db, file);

    Tdm dm(db.folder(), testusers::administrator());
    // The databases kept by earlier restores go before each run.
    auto clearPrevious = [&] {
        for (const QString& name : QDir(db.folder()).entryList({QStringLiteral("marvok-*.fdb")}, QDir::Files))
            bench::dropIfThere(db, db.folder() + name);
    };
    auto openList = [&] {
        clearPrevious();
        dm.qryPaciente.open();
    };
    auto ours = [&] {
        const RestoreOutcome outcome = SafeRestore(dm).run(file);
        if (!outcome.restored)
            std::fprintf(stderr, "restore failed: %s %s\n", qPrintable(outcome.failure.reason),
                         qPrintable(outcome.failure.details));
    };
    auto closeList = [&] {
        clearPrevious();
        dm.qryPaciente.close();
        dm.ZConnection1.disconnect();
    };
    auto before = [&] {
        bench::runGbakAlone(bench::gbakClientRestore(file, scratch));
        durable::rename(live, SafeRestore::previousDatabaseName(db.folder()));
        durable::rename(scratch, live);
    };
    // Each side runs for minutes: one turn each, ours first.
    bench::compare("restore", bench::Side{openList, ours}, bench::Side{closeList, before}, 1, 0);
    dm.qryPaciente.close();
    dm.ZConnection1.disconnect();
    clearPrevious();
    return 0;
}
