#pragma once
// A database beside the live one under a name no file has, into which a
// backup is restored to see whether it is sound. It is dropped when it goes
// out of scope, unless it has become the live database.

#include "fb/connection.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class BackupWork;
class Gbak;

class ScratchDatabase {
public:
    // settings: how to connect (user, password); their database is replaced.
    ScratchDatabase(const QString& folder, const QString& prefix, fb::ConnectParams settings);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    const QString& path() const { return m_path; }

    // Empty when the database opens and holds every one of the tables;
    // otherwise why it is not sound.
    QString check(const QStringList& tables);
    // The backup file restored into it by the tool, then check(tables): empty
    // when it is sound, otherwise why not.
    QString restoreFrom(const QString& backupFile, const Gbak& gbak, BackupWork& work, const QString& stepText,
                        const QStringList& tables);
    // When the server created it, read by check(): tells it apart from any other database.
    const QDateTime& created() const { return m_created; }
    // When the server created the database of this connection.
    static QDateTime creationOf(fb::Connection& connection);

    // The server drops it; a file that the server cannot open is deleted.
    void drop();
    // It is the live database now: nothing is dropped.
    void release() { m_path.clear(); }

private:
    fb::ConnectParams params() const;

    QString m_path;
    fb::ConnectParams m_settings;
    QDateTime m_created;
};
