#include "support/scriptedmessages.h"

ScriptedMessages::ScriptedMessages() : m_previous(&platform::MessageService::instance())
{
    platform::MessageService::setInstance(this);
}

ScriptedMessages::~ScriptedMessages() { platform::MessageService::setInstance(m_previous); }

platform::MsgButton ScriptedMessages::show(const platform::MessageRequest& request)
{
    requests.append(request);
    return answers.isEmpty() ? request.defaultButton : answers.dequeue();
}
