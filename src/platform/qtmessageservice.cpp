#include "platform/qtmessageservice.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

// Window managers put an icon and three buttons (minimise, maximise, close)
// beside the title.
constexpr int kTitleBarParts = 120;

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

int titleBarWidth(const QWidget& window)
{
    QFont bold = window.font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(window.windowTitle()) + kTitleBarParts;
}

MessageBox makeMessageBox(const MessageRequest& request, QWidget* parent)
{
    MessageBox made;
    made.box = std::make_unique<QMessageBox>(iconOf(request.type), messageTitle(request.type), request.text,
                                             QMessageBox::NoButton, parent);
    QMessageBox& box = *made.box;
    const QList<MsgButton> buttons = request.buttons.isEmpty() ? QList<MsgButton>{MsgButton::Ok} : request.buttons;
    for (MsgButton b : buttons) {
        QPushButton* pushButton = box.addButton(buttonCaption(b), roleOf(b));
        made.buttons.append({pushButton, b});
        if (b == request.defaultButton)
            box.setDefaultButton(pushButton);
    }
    const MsgButton onEscape = escapeAnswer(request);
    for (const auto& [widget, b] : made.buttons) {
        if (b == onEscape)
            box.setEscapeButton(widget);
    }
    // A short message would make the box narrower than its title: the title
    // bar would show only "..". A spacer across the box's grid keeps it wide.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleBarWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return made;
}

MsgButton QtMessageService::show(const MessageRequest& request)
{
    const MessageBox made = makeMessageBox(request, QApplication::activeWindow());
    made.box->exec();
    for (const auto& [widget, b] : made.buttons) {
        if (widget == made.box->clickedButton())
            return b;
    }
    return escapeAnswer(request);
}

} // namespace platform
