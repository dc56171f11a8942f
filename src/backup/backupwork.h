#pragma once
// One backup or restore as the user sees it: it tells its window when it
// begins, how far the server has come and when it is over. Over means before
// the window tells the outcome: the progress window is gone and the pointer
// normal when the user reads it.

#include "backup/aside.h"
#include "backup/backupevents.h"

class BackupWork {
public:
    BackupWork(const BackupEvents& events, const QString& title, int tables);
    ~BackupWork() { finish(); }
    BackupWork(const BackupWork&) = delete;
    BackupWork& operator=(const BackupWork&) = delete;

    // A step of its own ("Abrindo o banco de dados").
    void step(const QString& text);
    // Runs work aside (see runAside) under the step's text; the lines of
    // gbak's verbose output that it reports add the table being worked on
    // and move the count of tables done.
    void aside(const QString& stepText, const std::function<void(const LineReport& report)>& work);
    void finish();

private:
    void report(const QString& text);

    const BackupEvents& m_events;
    int m_tables;
    int m_done = 0;
    bool m_finished = false;
};
