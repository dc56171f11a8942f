#pragma once
// "Restaurar...": the database replaced by the one a backup file holds,
// never at the cost of the database the user has. The file is first restored
// into a scratch database beside the live one and checked (the tool
// succeeded, the result opens and holds the record tables); only then does
// it take the live database's place, and the database as it was just before
// stays in the program's folder under a name with the date and time. A file
// that does not restore leaves the live database exactly as it was; a failure
// after the live database was moved puts it back.

#include "backup/backupevents.h"
#include "backup/gbak.h"

class Tdm;

class SafeRestore {
public:
    explicit SafeRestore(Tdm& dm, BackupEvents events = {}, QStringList serverTools = Gbak::serverTools());

    // After the file was chosen: works, and says that the restore succeeded
    // or why not. Returns whether the database was replaced. Raises
    // "Gbak não encontrado." when there is no tool, and the error of a pending
    // edit that cannot be saved; in both cases before anything was closed.
    bool run(const QString& file);

    // Where the database as it was before a restore is kept:
    // marvok-AAAA-MM-DD-HHMMSS.fdb in the program's folder.
    static QString previousDatabaseName(const QString& folder);

private:
    Tdm& m_dm;
    BackupEvents m_events;
    QStringList m_serverTools;
};
