#pragma once
// "Restaurar...": the database replaced by the one a backup file holds,
// never at the cost of the database the user has. The server reads the file
// handed over from this PC into a scratch database beside the live one,
// which is checked (read whole, opens, holds the record tables); only then,
// with the program's own connection closed and nobody else attached, the
// server keeps the live database as a copy beside it, named with the date
// and time, deletes it and copies the scratch database in its place. The
// server does all of it in its own folder, so that it works for an ordinary
// user and from another PC. A file that does not restore leaves the live
// database untouched; a failure after it was deleted gives it back its
// previous contents from the copy. A database file (such as a copy an earlier
// restore kept) is read by the server itself and restored in the same way.
// Nothing here asks or tells the user anything: the window does, from the
// outcome.

#include "backup/backupevents.h"
#include "backup/outcome.h"

#include <QList>

class Tdm;

class SafeRestore {
public:
    explicit SafeRestore(Tdm& dm, BackupEvents events = {});

    // The steps after the live database was closed, in order.
    enum class Step {
        KeepPrevious,           // the server copies the live database beside it
        RemoveLive,             // the server deletes the live database
        RemoveLiveWithErrors,   // it deletes it, and reports a failure all the same
        CopyIn,                 // the server copies the restored database in its place
        Open,                   // the program opens it
        PutBack,                // after a failure: the kept copy is copied back
    };
    // For tests: that step fails, as it would when the server refused it.
    void failAt(Step step) { m_failing << step; }

    // After the file was chosen. Raises the error of a pending edit that
    // cannot be saved, before anything was closed.
    RestoreOutcome run(const QString& file);

    // Where the database as it was before a restore is kept:
    // marvok-AAAA-MM-DD-HHMMSS.fdb in the folder (as the server names it);
    // the n-th try adds "-n".
    static QString previousDatabaseName(const QString& folder, int n = 1);

private:
    void pass(Step step) const;

    Tdm& m_dm;
    BackupEvents m_events;
    QList<Step> m_failing;
};
