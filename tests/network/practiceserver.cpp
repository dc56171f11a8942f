#include "practiceserver.h"

#include "fb/statement.h"
#include "fb/transaction.h"
#include "store/schemaversion.h"
#include "store/useradmin.h"
#include "support/testdatabase.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <stdexcept>

namespace {

const QString kAddress = QStringLiteral("127.0.0.2");
const QString kFirebirdLibrary = QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0");
const QString kServerProgram = QStringLiteral("/usr/sbin/firebird");

void require(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(std::string("practice server: ") + what);
}

void writeFile(const QString& path, const QString& text, bool append = false)
{
    QFile f(path);
    require(f.open(append ? QIODevice::Append : QIODevice::WriteOnly), "cannot write a configuration file");
    f.write(text.toUtf8());
}

// A folder the Firebird library takes for its root: what it reads besides
// the configuration comes from the installed server.
void makeRoot(const QString& root)
{
    for (const char* name : {"plugins", "intl", "firebird.msg"})
        QFile::link(kFirebirdLibrary + u'/' + QString::fromLatin1(name), root + u'/' + QString::fromLatin1(name));
    QFile::copy(QStringLiteral("/etc/firebird/3.0/plugins.conf"), root + QStringLiteral("/plugins.conf"));
}

int freePort()
{
    QTcpServer probe;
    require(probe.listen(QHostAddress(kAddress), 0), "no free port on 127.0.0.2");
    return probe.serverPort();
}

} // namespace

PracticeServer::PracticeServer() : m_root(QDir::tempPath() + QStringLiteral("/marvok-practice-XXXXXX")), m_port(freePort())
{
    const QString root = m_root.path();
    QDir().mkpath(root + QStringLiteral("/lock"));
    QDir().mkpath(dataFolder());
    makeRoot(root);
    // The configuration a Debian server has, made the practice's by the set-up command.
    require(QFile::copy(QStringLiteral("/etc/firebird/3.0/firebird.conf"), root + QStringLiteral("/firebird.conf")),
            "cannot copy firebird.conf");
    QProcess setUp;
    setUp.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    setUp.start(QStringLiteral(MARVOK_SOURCE_DIR "/dist/marvok-setup"),
                {QStringLiteral("server"), QStringLiteral("--config-dir"), root, QStringLiteral("--address"), kAddress,
                 QStringLiteral("--port"), QString::number(m_port), QStringLiteral("--databases"), dataFolder()});
    require(setUp.waitForFinished(30000) && setUp.exitCode() == 0, "marvok-setup server failed");
    // What is the test's own: its security database instead of the machine's.
    const QString security = root + QStringLiteral("/security3.fdb");
    writeFile(root + QStringLiteral("/firebird.conf"), QStringLiteral("\nSecurityDatabase = %1\n").arg(security), true);
    writeFile(root + QStringLiteral("/databases.conf"),
              QStringLiteral("security.db = %1\n{\n\tRemoteAccess = false\n}\nmarvok = %2/marvok.fdb\n")
                  .arg(security, dataFolder()));

    // The security database, made the way Debian makes the server's, and its administrator.
    m_password = testusers::randomPassword();
    QProcessEnvironment embedded = QProcessEnvironment::systemEnvironment();
    embedded.insert(QStringLiteral("FIREBIRD"), root);
    embedded.insert(QStringLiteral("FIREBIRD_LOCK"), root + QStringLiteral("/lock"));
    embedded.remove(QStringLiteral("ISC_USER"));
    embedded.remove(QStringLiteral("ISC_PASSWORD"));
    runIsql(embedded, {QStringLiteral("-q")}, QStringLiteral("create database '%1';\n").arg(security));
    runIsql(embedded, {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-i"),
                       QStringLiteral("/usr/share/firebird/3.0/security.sql"), security},
            {});
    runIsql(embedded, {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"), security},
            QStringLiteral("create or alter user SYSDBA password '%1';\ncommit;\n").arg(m_password));
    start();

    // The practice's database under its alias, at the program's version, with its two users.
    fb::Connection c;
    c.create(administrator(database()), 8192, false);
    for (const QString& sql : schemaStatements(schemaPath())) {
        fb::Transaction tx(c);
        fb::executeSql(tx, sql);
        tx.commit();
    }
    store::upgradeSchema(c);
    m_therapist = {QStringLiteral("ANA"), testusers::randomPassword(), store::kTherapistRole};
    m_administrator = {QStringLiteral("BEATRIZ"), testusers::randomPassword(), store::kAdministratorRole};
    store::UserAdmin users(c);
    users.create(m_therapist.user, m_therapist.password, store::UserRole::Therapist);
    users.create(m_administrator.user, m_administrator.password, store::UserRole::Administrator);
}

PracticeServer::~PracticeServer() { stop(); }

QString PracticeServer::server() const { return kAddress + u'/' + QString::number(m_port); }

QString PracticeServer::database() const { return server() + QStringLiteral(":marvok"); }

fb::ConnectParams PracticeServer::administrator(const QString& database) const
{
    fb::ConnectParams p;
    p.database = database;
    p.user = QStringLiteral("SYSDBA");
    p.password = m_password;
    return p;
}

void PracticeServer::start()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), m_root.path());
    env.insert(QStringLiteral("FIREBIRD_LOCK"), m_root.path() + QStringLiteral("/lock"));
    m_server.setProcessEnvironment(env);
    m_server.setWorkingDirectory(m_root.path());
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    m_server.start(kServerProgram, {});
    require(m_server.waitForStarted(10000), "the server did not start");
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        QTcpSocket probe;
        probe.connectToHost(kAddress, quint16(m_port));
        if (probe.waitForConnected(200))
            return;
        require(m_server.state() == QProcess::Running, "the server ended at once");
        QThread::msleep(100);
    }
    require(false, "the server does not listen");
}

void PracticeServer::stop()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000)) {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
}

void PracticeServer::reconfigure(const QString& line, const QString& replacement)
{
    const QString path = m_root.path() + QStringLiteral("/firebird.conf");
    QFile f(path);
    require(f.open(QIODevice::ReadOnly), "cannot read firebird.conf");
    QString text = QString::fromUtf8(f.readAll());
    f.close();
    require(text.contains(u'\n' + line + u'\n'), "no such line in firebird.conf");
    text.replace(u'\n' + line + u'\n', u'\n' + replacement + u'\n');
    writeFile(path, text);
    stop();
    start();
}

QString PracticeServer::clientIsql(const QStringList& clientConfig, const QString& statements) const
{
    QTemporaryDir client(QDir::tempPath() + QStringLiteral("/marvok-client-XXXXXX"));
    makeRoot(client.path());
    writeFile(client.path() + QStringLiteral("/firebird.conf"), clientConfig.join(u'\n') + u'\n');
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), client.path());
    return runIsql(env, {QStringLiteral("-q")}, statements);
}

QString PracticeServer::runIsql(const QProcessEnvironment& env, const QStringList& arguments, const QString& input) const
{
    QProcess isql;
    isql.setProcessEnvironment(env);
    isql.setProcessChannelMode(QProcess::MergedChannels);
    isql.start(QStringLiteral("isql-fb"), arguments);
    isql.write(input.toUtf8());
    isql.closeWriteChannel();
    require(isql.waitForFinished(60000), "isql-fb did not end");
    return QString::fromLocal8Bit(isql.readAll());
}
