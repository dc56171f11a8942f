#pragma once
// A help service for tests: records the contexts asked for and opens no
// window. Installs itself while it lives.

#include "platform/help.h"

#include <QList>

class RecordingHelp : public platform::Help {
public:
    RecordingHelp();
    ~RecordingHelp() override;
    RecordingHelp(const RecordingHelp&) = delete;
    RecordingHelp& operator=(const RecordingHelp&) = delete;

    void showContext(int context) override { contexts.append(context); }

    QList<int> contexts;

private:
    platform::Help* m_previous;
};
