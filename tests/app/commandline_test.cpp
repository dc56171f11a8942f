// "marvok --upgrade-database DATABASE" and "marvok --create-administrator
// NAME DATABASE", the way the set-up scripts and the package bring a
// database up to date and make its first administrator: the account comes
// from the Firebird client's ISC_USER and ISC_PASSWORD, the new password
// from standard input, never from the command line.

#include "store/schemaversion.h"
#include "store/tdm.h"
#include "support/testaccount.h"
#include "support/testdatabase.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QString out, err;
};

ProgramRun runProgram(const QStringList& args, const QProcessEnvironment& env, const QString& input = {})
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MARVOK_PROGRAM_FILE), args);
    p.write(input.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// The server's administrator, as the set-up hands him over.
QProcessEnvironment setUpEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ISC_USER"), testAccount().user);
    env.insert(QStringLiteral("ISC_PASSWORD"), testAccount().password);
    env.remove(QStringLiteral("DISPLAY"));   // no window is made
    return env;
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

    env.insert(QStringLiteral("ISC_USER"), testAccount().user);
    env.insert(QStringLiteral("ISC_PASSWORD"), testAccount().password);
    const ProgramRun upgraded = runProgram(args, env);
    EXPECT_EQ(upgraded.exitCode, 0) << upgraded.err.toStdString();
    EXPECT_EQ(upgraded.out, QStringLiteral(u"marvok: banco de dados %1 atualizado da versão 0 para a versão %2.\n")
                                .arg(db.location(), version));
    EXPECT_EQ(db.scalar(QStringLiteral("select VERSAO from VERSAO_BANCO")).toString(), version);

    const ProgramRun again = runProgram(args, env);
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, QStringLiteral(u"marvok: o banco de dados %1 já está na versão %2.\n").arg(db.location(), version));
}

TEST(CommandLine, CreateAdministratorMakesTheFirstAdministratorWithThePasswordFromStandardInput)
{
    TestDatabase db;
    const QString name = testusers::uniqueName(QStringLiteral("PRIMEIRA"));
    struct Drop {
        QString location, name;
        ~Drop() { testusers::dropUser(location, name); }
    } drop{db.location(), name};
    const QString password = QStringLiteral(u"primeira 'senha' ç");
    const QStringList args{QStringLiteral("--create-administrator"), name.toLower(), db.location()};

    QProcessEnvironment noAccount = setUpEnvironment();
    noAccount.remove(QStringLiteral("ISC_USER"));
    noAccount.remove(QStringLiteral("ISC_PASSWORD"));
    EXPECT_EQ(runProgram(args, noAccount, password + u'\n').exitCode, 1);

    const ProgramRun made = runProgram(args, setUpEnvironment(), password + u'\n');
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_EQ(made.out, QStringLiteral(u"marvok: administrador %1 criado em %2.\n").arg(name, db.location()));
    EXPECT_FALSE(made.out.contains(password));
    Tdm dm(db.folder());
    dm.logIn(name, password);
    EXPECT_TRUE(dm.account().isAdministrator());
    dm.ZConnection1.disconnect();

    // Run again (a package upgrade, another database): her password stays.
    const ProgramRun again = runProgram(args, setUpEnvironment(), QStringLiteral("outra senha\n"));
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.contains(QStringLiteral(u"a senha dele não mudou"))) << again.out.toStdString();
    EXPECT_NO_THROW(dm.logIn(name, password));
}

TEST(CommandLine, HelpAndAnUnknownOptionSpeakPortuguese)
{
    const ProgramRun help = runProgram({QStringLiteral("--help")}, setUpEnvironment());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--upgrade-database"))) << help.out.toStdString();
    EXPECT_FALSE(help.out.contains(QStringLiteral("Usage:"))) << help.out.toStdString();
    EXPECT_FALSE(help.out.contains(QStringLiteral("Options:"))) << help.out.toStdString();

    const ProgramRun unknown = runProgram({QStringLiteral("--upgrade-database"), QStringLiteral("--sem-isso")},
                                          setUpEnvironment());
    EXPECT_NE(unknown.exitCode, 0);
    EXPECT_FALSE(unknown.err.contains(QStringLiteral("Unknown option"))) << unknown.err.toStdString();
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("sem-isso"))) << unknown.err.toStdString();
}
