#pragma once
// A Firebird server of a test's own, as on the PC that holds a practice's
// database: its own folder with its configuration (written by the set-up
// command "marvok-setup server"), security database, administrator and lock
// folder, listening on 127.0.0.2 at a free port; an empty Marvok database
// under the alias "marvok" with two users, a therapist and an administrator.
// Stopped and removed when it goes.

#include "fb/connection.h"
#include "store/account.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class PracticeServer {
public:
    PracticeServer();
    ~PracticeServer();
    PracticeServer(const PracticeServer&) = delete;
    PracticeServer& operator=(const PracticeServer&) = delete;

    // How the other PCs name it: "127.0.0.2/port".
    QString server() const;
    // server() + ":marvok".
    QString database() const;
    // The folder that holds its databases.
    QString dataFolder() const { return m_root.path() + QStringLiteral("/data"); }
    // Its own administrator, for the test's set-up.
    fb::ConnectParams administrator(const QString& database) const;
    const store::Account& therapist() const { return m_therapist; }
    const store::Account& marvokAdministrator() const { return m_administrator; }

    // Replaces a line of its firebird.conf and starts it again.
    void reconfigure(const QString& line, const QString& replacement);

    // Runs isql-fb as a client whose own configuration holds these lines,
    // with the statements on its input; returns what it wrote.
    QString clientIsql(const QStringList& clientConfig, const QString& statements) const;

private:
    void start();
    void stop();
    QString runIsql(const QProcessEnvironment& env, const QStringList& arguments, const QString& input) const;

    QTemporaryDir m_root;
    int m_port = 0;
    QString m_password;
    QProcess m_server;
    store::Account m_therapist;
    store::Account m_administrator;
};
