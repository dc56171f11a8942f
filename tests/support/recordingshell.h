#pragma once
// A shell for tests: records the targets it is asked to open and opens none.
// Installs itself while it lives.

#include "platform/shell.h"

#include <QStringList>

class RecordingShell : public platform::Shell {
public:
    RecordingShell();
    ~RecordingShell() override;
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    void openUrl(const QString& target) override { targets.append(target); }

    QStringList targets;

private:
    platform::Shell* m_previous;
};
