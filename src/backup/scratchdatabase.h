#pragma once
// A database the server makes beside the live one, under a name no file
// has, into which a backup is restored to see whether it is sound. It is
// dropped when it goes out of scope.

#include "backup/aside.h"
#include "backup/outcome.h"
#include "fb/connection.h"
#include "fb/location.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class BackupSource;
class QFileDevice;

class ScratchDatabase {
public:
    // live: the live database's server; folder: where the server keeps it
    // (its own path, with the trailing separator); account: who asks.
    ScratchDatabase(const fb::Location& live, const QString& folder, const QString& prefix,
                    const fb::ConnectParams& account);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    const fb::Location& location() const { return m_location; }

    // The server restores the source into it (and the source goes into copy
    // too, when given), then it is checked: empty when the backup was read
    // whole and gives a database that opens and holds every one of the
    // tables; otherwise why not (sourceReason when the source failed;
    // checking: the backup was just written, see failures::ofCarrying).
    // Runs aside; the restore's lines go to report.
    Failure restoreFrom(BackupSource& source, QFileDevice* copy, const QStringList& tables, const LineReport& report,
                        const QString& sourceReason, bool checking);
    // When the server created it, read by the check: tells it apart from any
    // other database, and copies of it have the same date.
    const QDateTime& created() const { return m_created; }

    // The server drops it, if it is there.
    void drop();

private:
    Failure check(const QStringList& tables);

    fb::Location m_location;
    fb::ConnectParams m_account;
    QDateTime m_created;
    bool m_made = false;
};
