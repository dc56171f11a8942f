// Backup and restore as the program does them when it is installed: run by
// an ordinary user of the system, who can neither enter nor write nor rename
// anything in the folder where the server keeps the database (only the
// server's own user can). The program runs in a process of its own as that
// user; everything the work needs in the server's folder, the server does.

#include "backup/saferestore.h"
#include "backupfixture.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "store/schemaversion.h"
#include "support/driveraccount.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct SystemUser {
    uid_t uid = 0;
    gid_t gid = 0;
};

SystemUser systemUser(const char* name)
{
    const passwd* p = ::getpwnam(name);
    return p ? SystemUser{p->pw_uid, p->pw_gid} : SystemUser{};
}

// A folder that only that user may enter.
QString ownedFolder(const QTemporaryDir& dir, const SystemUser& owner)
{
    const QByteArray path = QFile::encodeName(dir.path());
    EXPECT_EQ(::chown(path.constData(), owner.uid, owner.gid), 0);
    EXPECT_EQ(::chmod(path.constData(), 0700), 0);
    return dir.path() + u'/';
}

class OrdinaryUserTest : public BackupTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(::geteuid(), 0u) << "the test runs as root: it plays the server's user and an ordinary one";
        ASSERT_NE(server.uid, 0u);
        ASSERT_NE(user.uid, 0u);
        serverFolder = ownedFolder(serverDir, server);
        userFolder = ownedFolder(userDir, user);
        // The program as installed: a folder everyone may read, with the driver in it.
        QFile::setPermissions(programDir.path(), QFile::Permissions(0x7755));
        driver = programDir.path() + QStringLiteral("/backup_driver");
        ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/backup_driver"), driver));

        // The live database, made by the server in its folder.
        fb::Connection c;
        c.create(at(QStringLiteral("marvok.fdb")), 8192, false);
        for (const QString& s : schemaStatements(schemaPath())) {
            fb::Transaction tx(c);
            fb::executeSql(tx, s);
            tx.commit();
        }
        store::upgradeSchema(c);
        c.disconnect();
        testusers::admitTestUsers(at(QStringLiteral("marvok.fdb")).database);
        for (const char* patient : {"1, 'Ana'", "2, 'Bruno'"})
            live.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) VALUES (%1, "
                                     "'2005-06-10', '2011-03-05', 'A')")
                          .arg(QLatin1String(patient)));
        addPatient(source, 7, QStringLiteral(u"Élio"));
        addPatient(source, 8, QStringLiteral(u"Çécile"));
        // The user's backup, in the user's folder.
        backup = userFolder + QStringLiteral("origem.bak");
        writeBackup(source.location(), backup);
        ASSERT_EQ(::chown(QFile::encodeName(backup).constData(), user.uid, user.gid), 0);
    }
    void TearDown() override
    {
        for (const QString& name : entries(serverFolder)) {
            try {
                fb::Connection c;
                c.connect(at(name));
                c.dropDatabase();
            } catch (const EError&) {
            }
        }
    }

    fb::ConnectParams at(const QString& name) const
    {
        fb::ConnectParams p = testAccount();
        p.database = QStringLiteral("localhost:") + serverFolder + name;
        return p;
    }
    QStringList namesIn(const QString& name) const
    {
        QStringList names;
        for (const QVariantList& row : selectRows(at(name), QStringLiteral("select NOME from PACIENTE order by NOME")))
            names << row.value(0).toString();
        return names;
    }
    static uid_t ownerOf(const QString& file)
    {
        struct stat s {};
        return ::stat(QFile::encodeName(file).constData(), &s) == 0 ? s.st_uid : uid_t(-1);
    }

    // Runs the driver as the ordinary user, logged in as the run's administrator;
    // its printed outcome, key by key.
    QMap<QString, QString> drive(const QStringList& arguments, int& exitCode)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), userFolder);
        p.setProcessEnvironment(env);
        const SystemUser as = user;
        p.setChildProcessModifier([as] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(as.gid) != 0 || ::setuid(as.uid) != 0)
                ::_exit(126);
        });
        startDriver(p, driver, arguments, testusers::administrator());
        EXPECT_TRUE(p.waitForFinished(300000));
        exitCode = p.exitCode();
        QMap<QString, QString> out;
        for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
            out.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
        if (exitCode > 1)   // it could not run, or raised an error
            ADD_FAILURE() << "driver: " << out.value(QStringLiteral("error")).toStdString()
                          << p.readAllStandardError().toStdString();
        return out;
    }

    SystemUser server = systemUser("firebird");
    SystemUser user = systemUser("nobody");
    QTemporaryDir serverDir{QDir::tempPath() + QStringLiteral("/marvok servidor XXXXXX")};
    QTemporaryDir userDir{QDir::tempPath() + QStringLiteral("/marvok usuária XXXXXX")};
    QTemporaryDir programDir;
    QString serverFolder, userFolder, driver, backup;
    TestDatabase source{QStringLiteral("marvok origem XXXXXX")};

    // The live database as the test reaches it.
    struct Live {
        const OrdinaryUserTest& t;
        void exec(const QString& sql) const
        {
            fb::Connection c;
            c.connect(t.at(QStringLiteral("marvok.fdb")));
            fb::Transaction tx(c);
            fb::executeSql(tx, sql, fb::ParamStyle::Raw);
            tx.commit();
        }
    } live{*this};
};

TEST_F(OrdinaryUserTest, RestoresAndBacksUpThroughTheServer)
{
    int exitCode = -1;
    // The user cannot so much as look into the server's folder.
    ASSERT_EQ(ownerOf(serverFolder), server.uid);

    const QMap<QString, QString> restored = drive({QStringLiteral("restore"), serverFolder, backup}, exitCode);
    EXPECT_EQ(exitCode, 0) << restored.value(QStringLiteral("reason")).toStdString() << " "
                           << restored.value(QStringLiteral("details")).toStdString();
    const QString previous = restored.value(QStringLiteral("previous"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^marvok-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.fdb$"))
                    .match(QFileInfo(previous).fileName())
                    .hasMatch())
        << previous.toStdString();
    EXPECT_EQ(QFileInfo(previous).path() + u'/', serverFolder);
    EXPECT_EQ(namesIn(QStringLiteral("marvok.fdb")), (QStringList{QStringLiteral(u"Çécile"), QStringLiteral(u"Élio")}));
    EXPECT_EQ(namesIn(QFileInfo(previous).fileName()), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    const QStringList afterRestore = entries(serverFolder);
    EXPECT_EQ(afterRestore, (QStringList{QFileInfo(previous).fileName(), QStringLiteral("marvok.fdb")}));
    for (const QString& name : afterRestore)
        EXPECT_EQ(ownerOf(serverFolder + name), server.uid) << name.toStdString();

    // The backup lands in the user's folder, written by the user.
    const QString copy = userFolder + QStringLiteral("cópia.bak");
    const QMap<QString, QString> saved = drive({QStringLiteral("backup"), serverFolder, copy}, exitCode);
    EXPECT_EQ(exitCode, 0) << saved.value(QStringLiteral("reason")).toStdString() << " "
                           << saved.value(QStringLiteral("details")).toStdString();
    EXPECT_EQ(ownerOf(copy), user.uid);
    EXPECT_EQ(entries(serverFolder), afterRestore);   // its scratch database is gone
    EXPECT_TRUE(SafeRestore(dm).run(copy).restored);
    EXPECT_EQ(patientNames(db), (QStringList{QStringLiteral(u"Çécile"), QStringLiteral(u"Élio")}));
}

// After the live database was deleted by the server, the copy in its place
// fails: the server puts the kept copy back, and removes it once it is in place.
TEST_F(OrdinaryUserTest, AFailureAfterTheDeletionPutsTheDatabaseBack)
{
    int exitCode = -1;
    const QMap<QString, QString> outcome = drive(
        {QStringLiteral("restore"), serverFolder, backup, QString::number(int(SafeRestore::Step::CopyIn))}, exitCode);
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(outcome.value(QStringLiteral("restored")), QStringLiteral("0"));
    EXPECT_EQ(outcome.value(QStringLiteral("database")), QString::number(int(RestoreOutcome::Database::PutBack)));
    EXPECT_EQ(namesIn(QStringLiteral("marvok.fdb")), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    EXPECT_EQ(entries(serverFolder), QStringList{QStringLiteral("marvok.fdb")});
}

} // namespace
