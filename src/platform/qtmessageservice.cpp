#include "platform/qtmessageservice.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

QMessageBox::Icon iconOf(MsgType type)
{
    switch (type) {
    case MsgType::Warning: return QMessageBox::Warning;
    case MsgType::Error: return QMessageBox::Critical;
    case MsgType::Information: return QMessageBox::Information;
    case MsgType::Confirmation: return QMessageBox::Question;
    case MsgType::Plain: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole roleOf(MsgButton button)
{
    switch (button) {
    case MsgButton::Yes: return QMessageBox::YesRole;
    case MsgButton::No: return QMessageBox::NoRole;
    case MsgButton::Ok: return QMessageBox::AcceptRole;
    case MsgButton::Cancel: return QMessageBox::RejectRole;
    }
    return QMessageBox::AcceptRole;
}

} // namespace

MsgButton QtMessageService::show(const MessageRequest& request)
{
    QMessageBox box(iconOf(request.type), messageTitle(request.type), request.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    const QList<MsgButton> buttons = request.buttons.isEmpty() ? QList<MsgButton>{MsgButton::Ok} : request.buttons;
    QList<QPair<QAbstractButton*, MsgButton>> made;
    for (MsgButton b : buttons) {
        QPushButton* pushButton = box.addButton(buttonCaption(b), roleOf(b));
        made.append({pushButton, b});
        if (b == request.defaultButton)
            box.setDefaultButton(pushButton);
    }
    const MsgButton onEscape = escapeAnswer(request);
    for (const auto& [widget, b] : made) {
        if (b == onEscape)
            box.setEscapeButton(widget);
    }
    box.exec();
    for (const auto& [widget, b] : made) {
        if (widget == box.clickedButton())
            return b;
    }
    return onEscape;
}

} // namespace platform
