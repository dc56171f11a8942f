#include "support/scriptedfiledialogs.h"

ScriptedFileDialogs::ScriptedFileDialogs() : m_previous(&platform::FileDialogs::instance())
{
    platform::FileDialogs::setInstance(this);
}

ScriptedFileDialogs::~ScriptedFileDialogs() { platform::FileDialogs::setInstance(m_previous); }

QString ScriptedFileDialogs::saveFileName(QWidget*, const platform::FileDialogRequest& request)
{
    return answer(Kind::Save, request);
}

QString ScriptedFileDialogs::openFileName(QWidget*, const platform::FileDialogRequest& request)
{
    return answer(Kind::Open, request);
}

QString ScriptedFileDialogs::answer(Kind kind, const platform::FileDialogRequest& request)
{
    asked.append({kind, request});
    return answers.isEmpty() ? QString() : answers.dequeue();
}
