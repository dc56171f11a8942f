#pragma once
// One backup or restore as the user sees it: it tells its window when it
// begins, how far the tool has come and when it is over. Over means before
// any message: the window is gone and the pointer normal when the user reads it.

#include "backup/backupevents.h"
#include "backup/gbak.h"

class BackupWork {
public:
    BackupWork(const BackupEvents& events, const QString& title, int tables);
    ~BackupWork() { finish(); }
    BackupWork(const BackupWork&) = delete;
    BackupWork& operator=(const BackupWork&) = delete;

    // A step without the tool ("Abrindo o banco de dados").
    void step(const QString& text);
    // Runs the tool; the step's text is followed by the table being worked on.
    GbakRun run(const Gbak& gbak, const QStringList& arguments, const QString& stepText);
    void finish();

private:
    void report(const QString& text);

    const BackupEvents& m_events;
    int m_tables;
    int m_done = 0;
    bool m_finished = false;
};
