#pragma once
// The message service of the running program: Qt message boxes with the
// program's Portuguese titles and buttons.

#include "platform/messages.h"

#include <QList>
#include <QPair>
#include <memory>

class QAbstractButton;
class QMessageBox;
class QWidget;

namespace platform {

// The box the program shows for a request, not yet shown, each of its
// buttons with the answer it gives. A box is wide enough for its title.
struct MessageBox {
    std::unique_ptr<QMessageBox> box;
    QList<QPair<QAbstractButton*, MsgButton>> buttons;
};
MessageBox makeMessageBox(const MessageRequest& request, QWidget* parent = nullptr);

// The room a window's title needs in its title bar: the title itself in a
// bold face of the window's font, and the window manager's icon and buttons.
int titleBarWidth(const QWidget& window);

class QtMessageService : public MessageService {
public:
    MsgButton show(const MessageRequest& request) override;
};

} // namespace platform
