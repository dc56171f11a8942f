#pragma once
// The benchmarks' data: a database filled by the demo database generator
// (tools/demodb, built with the benchmarks) with whole patient records. A
// large one takes minutes to make: MARVOK_BENCH_DEMO may name a folder
// whose marvok.fdb was made before with that many patients
// (scripts/demo-database --patients N FOLDER), which is copied instead,
// brought up to the program's version and opened to the run's users.

#include "fb/connection.h"
#include "store/schemaversion.h"
#include "support/testdatabase.h"
#include "support/testusers.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace bench {

// Fills the empty test database with that many demo patients and their records.
inline void fillDemo(const TestDatabase& db, int patients)
{
    const QString ready = qEnvironmentVariable("MARVOK_BENCH_DEMO");
    if (!ready.isEmpty()) {
        const QString file = db.folder() + QStringLiteral("marvok.fdb");
        QFile::remove(file);
        if (!QFile::copy(ready + QStringLiteral("/marvok.fdb"), file)) {
            std::fprintf(stderr, "cannot copy %s/marvok.fdb\n", qPrintable(ready));
            std::exit(1);
        }
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                                        QFile::ReadOther | QFile::WriteOther);
        fb::Connection c;
        c.connect(testusers::serverAdministrator(db.location()));
        store::upgradeSchema(c);
        c.disconnect();
        testusers::admitTestUsers(db.location());
        return;
    }
    QProcess tool;
    tool.setProgram(QStringLiteral(MARVOK_DEMODB));
    tool.setArguments({QStringLiteral("--patients"), QString::number(patients), db.location()});
    // The account goes through the client's own variables, as the set-up passes it.
    const fb::ConnectParams administrator = testusers::serverAdministrator(db.location());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ISC_USER"), administrator.user);
    env.insert(QStringLiteral("ISC_PASSWORD"), administrator.password);
    tool.setProcessEnvironment(env);
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.start();
    if (!tool.waitForFinished(-1) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        std::fprintf(stderr, "marvok-demodb failed\n");
        std::exit(1);
    }
}

} // namespace bench
