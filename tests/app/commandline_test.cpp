// "marvok --upgrade-database DATABASE", the way the set-up scripts and the
// package bring a database up to date: the account comes from the Firebird
// client's ISC_USER and ISC_PASSWORD, never from the command line.

#include "store/schemaversion.h"
#include "support/testdatabase.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QString out, err;
};

ProgramRun runProgram(const QStringList& args, const QProcessEnvironment& env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MARVOK_PROGRAM_FILE), args);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(CommandLine, UpgradeDatabaseTakesTheAccountFromTheClientsVariables)
{
    TestDatabase db(TestDatabase::Layout::Base);
    db.exec(QStringLiteral("ALTER TABLE PACIENTE DROP EMAIL"));
    const QString version = QString::number(store::programSchemaVersion());
    const QStringList args{QStringLiteral("--upgrade-database"), db.location()};
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("ISC_USER"));
    env.remove(QStringLiteral("ISC_PASSWORD"));
    env.remove(QStringLiteral("DISPLAY"));   // no window is made

    const ProgramRun refused = runProgram(args, env);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("ISC_USER e ISC_PASSWORD"))) << refused.err.toStdString();
    EXPECT_FALSE(db.scalar(QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'VERSAO_BANCO'"))
                     .toBool());

    env.insert(QStringLiteral("ISC_USER"), QStringLiteral("SYSDBA"));
    env.insert(QStringLiteral("ISC_PASSWORD"), QStringLiteral("velkarbin"));
    const ProgramRun upgraded = runProgram(args, env);
    EXPECT_EQ(upgraded.exitCode, 0) << upgraded.err.toStdString();
    EXPECT_EQ(upgraded.out, QStringLiteral(u"marvok: banco de dados %1 atualizado da versão 0 para a versão %2.\n")
                                .arg(db.location(), version));
    EXPECT_EQ(db.scalar(QStringLiteral("select VERSAO from VERSAO_BANCO")).toString(), version);

    const ProgramRun again = runProgram(args, env);
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, QStringLiteral(u"marvok: o banco de dados %1 já está na versão %2.\n").arg(db.location(), version));
}
