// "Restaurar..." without its dialog over 100,000 demo patients with their
// whole records: the restore into a scratch database, its check, closing the
// live database, the swap that keeps the previous one, and opening the
// patient list again; against gbak alone restoring the same file plus the
// same two renames.

#include "backup/durablefiles.h"
#include "backup/saferestore.h"
#include "benchdata.h"
#include "benchgbak.h"
#include "benchtiming.h"
#include "store/tdm.h"
#include "support/scriptedmessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestDatabase db;
    bench::fillDemo(db, 100000);
    ScriptedMessages messages;
    QTemporaryDir files;
    const QString file = files.path() + QStringLiteral("/marvok.bak");
    const QString live = db.folder() + QStringLiteral("marvok.fdb");
    const QString scratch = db.folder() + QStringLiteral("plain.fdb");
    bench::runGbakAlone(Gbak::backupArguments(live, file));

    Tdm dm(db.folder(), testusers::administrator());
    // The databases kept by earlier restores go before each run.
    auto clearPrevious = [&] {
        for (const QString& name : QDir(db.folder()).entryList({QStringLiteral("marvok-*.fdb")}, QDir::Files))
            QFile::remove(db.folder() + name);
    };
    auto openList = [&] {
        clearPrevious();
        dm.qryPaciente.open();
    };
    auto ours = [&] {
        if (!SafeRestore(dm).run(file))
            std::fprintf(stderr, "restore failed: %s\n", qPrintable(messages.requests.last().text));
    };
    auto closeList = [&] {
        clearPrevious();
        dm.qryPaciente.close();
        dm.ZConnection1.disconnect();
    };
    auto alone = [&] {
        bench::runGbakAlone(Gbak::restoreArguments(file, scratch));
        durable::rename(live, SafeRestore::previousDatabaseName(db.folder()));
        durable::rename(scratch, live);
    };
    // Each side runs for minutes: one turn each, ours first.
    bench::compare("restore", bench::Side{openList, ours}, bench::Side{closeList, alone}, 1, 0);
    dm.qryPaciente.close();
    dm.ZConnection1.disconnect();
    clearPrevious();
    return 0;
}
