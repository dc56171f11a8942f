#pragma once
// "Salvar...": the whole database into a backup file, never at the cost of
// the backup the user already has. The tool writes a new file beside the
// chosen one; the new file is restored into a scratch database, which is
// then dropped (a backup is only known to be sound once it has been
// restored); only then does it take the chosen name, in one rename. The
// database is closed while the tool reads it and opened again afterwards, so
// that the first patient is current.

#include "backup/backupevents.h"
#include "backup/gbak.h"

class Tdm;

class SafeBackup {
public:
    explicit SafeBackup(Tdm& dm, BackupEvents events = {}, QStringList serverTools = Gbak::serverTools());

    // After the file was chosen: asks before an existing file is replaced,
    // works, and says "O arquivo foi criado" or why not. Returns whether the
    // file now holds the new backup. Raises "Gbak não encontrado." when there
    // is no tool, and the error of a pending edit that cannot be saved; in
    // both cases before anything was closed or written.
    bool run(const QString& file);

private:
    // Empty when the backup file restores into a sound database; else why not.
    QString verify(const class LiveDatabase& live, const Gbak& gbak, class BackupWork& work, const QString& backupFile);

    Tdm& m_dm;
    BackupEvents m_events;
    QStringList m_serverTools;
};
