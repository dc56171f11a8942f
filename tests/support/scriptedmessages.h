#pragma once
// A message service for tests: records every box the code asks for and
// answers from a queue, or with the box's default button when the queue is
// empty. Installs itself while it lives. In a program with widgets each box
// is also made as the program makes it, off screen, and a text or title it
// cuts fails the test.

#include "platform/messages.h"

#include <QList>
#include <QQueue>

class ScriptedMessages : public platform::MessageService {
public:
    ScriptedMessages();
    ~ScriptedMessages() override;
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    platform::MsgButton show(const platform::MessageRequest& request) override;

    // The answers to the next boxes, in order.
    QQueue<platform::MsgButton> answers;
    // Every box asked for, in order.
    QList<platform::MessageRequest> requests;

private:
    platform::MessageService* m_previous;
};
