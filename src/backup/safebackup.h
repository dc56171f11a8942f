#pragma once
// "Salvar...": the whole database into a backup file on this PC, never at
// the cost of the backup the user already has. The server makes the backup
// and hands it over; it is written into a new file beside the chosen one and,
// as it comes, restored by the server into a scratch database beside the live
// one, which is checked and dropped (a backup is only known to be sound once
// it has been restored). Only then does the new file take the chosen name, in
// one rename. The database is closed meanwhile and opened again afterwards,
// so that the first patient is current. Nothing here asks or tells the user
// anything: the window does, from the outcome.

#include "backup/backupevents.h"
#include "backup/outcome.h"

class Tdm;

class SafeBackup {
public:
    explicit SafeBackup(Tdm& dm, BackupEvents events = {});

    // Whether the chosen file is the program's database itself, which no
    // backup may replace; the window asks nothing then.
    bool isTheDatabase(const QString& file) const;

    // After the file was chosen (and replacing an existing one agreed to).
    // Raises the error of a pending edit that cannot be saved, or of a
    // database that cannot be reached, before anything was closed or written.
    BackupOutcome run(const QString& file);

private:
    Tdm& m_dm;
    BackupEvents m_events;
};
