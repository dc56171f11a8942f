// Runs one backup or restore through the data module, as the program does,
// and prints its outcome; the test of the ordinary user runs it as another
// user of the system.
//   backup_driver backup FOLDER FILE
//   backup_driver restore FOLDER FILE [STEP]   (STEP: the step made to fail, by number)
// FOLDER holds the database, as the program's own folder does; the account
// comes on standard input (user, password, role, a line each). Prints
// key=value lines; exits with 0 when the backup or restore was done.

#include "backup/safebackup.h"
#include "backup/saferestore.h"
#include "core/eerror.h"
#include "store/tdm.h"
#include "support/driveraccount.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void print(const char* key, const QString& value)
{
    std::printf("%s=%s\n", key, QString(value).replace(u'\n', u' ').toUtf8().constData());
}

void print(const Failure& failure)
{
    print("reason", failure.reason);
    print("details", failure.details);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: backup_driver backup|restore FOLDER FILE [STEP]\n");
        return 2;
    }
    Tdm dm(args[2], driverAccount());
    try {
        dm.qryPaciente.open();
        if (args[1] == QStringLiteral("backup")) {
            const BackupOutcome outcome = SafeBackup(dm).run(args[3]);
            print("created", QString::number(outcome.created()));
            print(outcome.failure);
            return outcome.created() ? 0 : 1;
        }
        SafeRestore restore(dm);
        if (args.size() > 4)
            restore.failAt(SafeRestore::Step(args[4].toInt()));
        const RestoreOutcome outcome = restore.run(args[3]);
        print("restored", QString::number(outcome.restored));
        print("database", QString::number(int(outcome.database)));
        print("previous", outcome.previous);
        print(outcome.failure);
        return outcome.restored ? 0 : 1;
    } catch (const EError& e) {
        print("error", e.message());
        return 2;
    }
}
