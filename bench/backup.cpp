// "Salvar..." without its dialogs over 100,000 demo patients with their whole
// records: closing the database, the backup the server makes and hands over
// while it restores it into a scratch database to check it, opening the
// database again and the rename; against the way it was done before, gbak
// as a client writing the backup and then restoring it to check it.

#include "backup/safebackup.h"
#include "benchdata.h"
#include "benchgbak.h"
#include "benchtiming.h"
#include "store/tdm.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestDatabase db;
    bench::fillDemo(db, 100000);
    QTemporaryDir files;
    const QString ourFile = files.path() + QStringLiteral("/marvok.bak");
    const QString plainFile = files.path() + QStringLiteral("/plain.bak");
    const QString scratch = db.folder() + QStringLiteral("plain.fdb");

    Tdm dm(db.folder(), testusers::administrator());
    dm.qryPaciente.open();
    SafeBackup backup(dm);
    auto ours = [&] {
        const BackupOutcome outcome = backup.run(ourFile);
        if (!outcome.created())
            std::fprintf(stderr, "backup failed: %s %s\n", qPrintable(outcome.failure.reason),
                         qPrintable(outcome.failure.details));
    };
    auto clearFloor = [&] {
        QFile::remove(plainFile);
        bench::dropIfThere(db, scratch);
    };
    auto before = [&] {
        bench::runGbakAlone(bench::gbakClientBackup(db.folder() + QStringLiteral("marvok.fdb"), plainFile));
        bench::runGbakAlone(bench::gbakClientRestore(plainFile, scratch));
    };
    // Each side runs for minutes: one turn each, ours first.
    bench::compare("backup", bench::Side{{}, ours}, bench::Side{clearFloor, before}, 1, 0);
    clearFloor();
    return 0;
}
