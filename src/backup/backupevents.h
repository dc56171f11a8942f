#pragma once
// What a backup or a restore tells its window while it works: when the work
// begins (after every question was answered), how far it has come, and when
// it is over (before any message is shown).

#include <QString>
#include <functional>

struct BackupProgress {
    QString step;    // "Gravando a cópia: tabela PACIENTE"
    int done = 0;    // tables done
    int total = 0;   // tables in all
};

struct BackupEvents {
    std::function<void(const QString& title)> started;
    std::function<void(const BackupProgress& progress)> progress;
    std::function<void()> finished;
};
