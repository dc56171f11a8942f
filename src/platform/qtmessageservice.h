#pragma once
// The message service of the running program: Qt message boxes with the
// program's Portuguese titles and buttons.

#include "platform/messages.h"

namespace platform {

class QtMessageService : public MessageService {
public:
    MsgButton show(const MessageRequest& request) override;
};

} // namespace platform
