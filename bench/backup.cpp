// "Salvar..." without its dialogs over 100,000 demo patients with their whole
// records: closing the database, the backup, opening it again, the verifying
// restore and the rename, against the same two runs of gbak alone (the
// backup and the verifying restore).

#include "backup/safebackup.h"
#include "benchdata.h"
#include "benchgbak.h"
#include "benchtiming.h"
#include "store/tdm.h"
#include "support/scriptedmessages.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestDatabase db;
    bench::fillDemo(db, 100000);
    ScriptedMessages messages;   // answers "Sobrepor?" with its default, "&Sim"
    QTemporaryDir files;
    const QString ourFile = files.path() + QStringLiteral("/marvok.bak");
    const QString plainFile = files.path() + QStringLiteral("/plain.bak");
    const QString scratch = db.folder() + QStringLiteral("plain.fdb");

    Tdm dm(db.folder(), testusers::administrator());
    dm.qryPaciente.open();
    SafeBackup backup(dm);
    auto ours = [&] {
        if (!backup.run(ourFile))
            std::fprintf(stderr, "backup failed: %s\n", qPrintable(messages.requests.last().text));
    };
    auto clearFloor = [&] {
        QFile::remove(plainFile);
        bench::dropIfThere(db, scratch);
    };
    auto alone = [&] {
        bench::runGbakAlone(Gbak::backupArguments(db.folder() + QStringLiteral("marvok.fdb"), plainFile));
        bench::runGbakAlone(Gbak::restoreArguments(plainFile, scratch));
    };
    // Each side runs for minutes: one turn each, ours first.
    bench::compare("backup", bench::Side{{}, ours}, bench::Side{clearFloor, alone}, 1, 0);
    clearFloor();
    return 0;
}
