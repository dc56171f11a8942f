#include "support/scriptedmessages.h"

#include "platform/qtmessageservice.h"
#include "support/textfit.h"

#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

ScriptedMessages::ScriptedMessages() : m_previous(&platform::MessageService::instance())
{
    platform::MessageService::setInstance(this);
}

ScriptedMessages::~ScriptedMessages() { platform::MessageService::setInstance(m_previous); }

platform::MsgButton ScriptedMessages::show(const platform::MessageRequest& request)
{
    requests.append(request);
    // Driver programs without widgets only record and answer.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return answers.isEmpty() ? request.defaultButton : answers.dequeue();
    // The box as the user would see it, laid out without being shown.
    const platform::MessageBox made = platform::makeMessageBox(request);
    made.box->setAttribute(Qt::WA_DontShowOnScreen);
    made.box->show();
    const QList<CutText> cut = cutTexts(*made.box);
    EXPECT_TRUE(cut.isEmpty()) << "message box \"" << request.text.toStdString() << "\":\n"
                               << describeCutTexts(cut).toStdString();
    made.box->hide();
    return answers.isEmpty() ? request.defaultButton : answers.dequeue();
}
