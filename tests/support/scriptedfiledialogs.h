#pragma once
// File dialogs for tests: records what each dialog was asked and answers
// from a queue of file names (an empty name, or an empty queue, cancels).
// Installs itself while it lives.

#include "platform/filedialogs.h"

#include <QList>
#include <QQueue>

class ScriptedFileDialogs : public platform::FileDialogs {
public:
    enum class Kind { Save, Open };
    struct Asked {
        Kind kind;
        platform::FileDialogRequest request;
    };

    ScriptedFileDialogs();
    ~ScriptedFileDialogs() override;
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    QString saveFileName(QWidget* parent, const platform::FileDialogRequest& request) override;
    QString openFileName(QWidget* parent, const platform::FileDialogRequest& request) override;

    QQueue<QString> answers;
    QList<Asked> asked;

private:
    QString answer(Kind kind, const platform::FileDialogRequest& request);

    platform::FileDialogs* m_previous;
};
