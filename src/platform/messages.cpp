#include "platform/messages.h"

#include "platform/qtmessageservice.h"
#include "platform/serviceslot.h"

#include <QApplication>

namespace platform {

MessageService& MessageService::instance()
{
    static QtMessageService qtService;
    return ServiceSlot<MessageService>::get(qtService);
}

void MessageService::setInstance(MessageService* service) { ServiceSlot<MessageService>::set(service); }

QString messageTitle(MsgType type)
{
    switch (type) {
    case MsgType::Warning: return QStringLiteral(u"Atenção");
    case MsgType::Error: return QStringLiteral(u"Erro");
    case MsgType::Information: return QStringLiteral(u"Informação");
    case MsgType::Confirmation: return QStringLiteral(u"Confirmação");
    case MsgType::Plain: break;
    }
    return QApplication::applicationDisplayName();
}

QString buttonCaption(MsgButton button)
{
    switch (button) {
    case MsgButton::Yes: return QStringLiteral(u"&Sim");
    case MsgButton::No: return QStringLiteral(u"&Não");
    case MsgButton::Ok: return QStringLiteral(u"OK");
    case MsgButton::Cancel: return QStringLiteral(u"Cancelar");
    }
    return {};
}

MsgButton escapeAnswer(const MessageRequest& request)
{
    // Closing a box that offers "Cancelar" must never answer anything that
    // discards or changes data.
    for (MsgButton preferred : {MsgButton::Cancel, MsgButton::No, MsgButton::Ok}) {
        if (request.buttons.contains(preferred))
            return preferred;
    }
    // A box made of "&Sim" alone: closing it can only mean its one button.
    return request.buttons.isEmpty() ? MsgButton::Ok : request.buttons.first();
}

namespace {
MsgButton ask(MsgType type, const QString& text, QList<MsgButton> buttons, MsgButton defaultButton)
{
    MessageRequest request;
    request.type = type;
    request.text = text;
    request.buttons = std::move(buttons);
    request.defaultButton = defaultButton;
    return MessageService::instance().show(request);
}
} // namespace

void showMessage(const QString& text) { ask(MsgType::Plain, text, {MsgButton::Ok}, MsgButton::Ok); }

void showError(const QString& text) { ask(MsgType::Error, text, {MsgButton::Ok}, MsgButton::Ok); }

void showInformation(const QString& text) { ask(MsgType::Information, text, {MsgButton::Ok}, MsgButton::Ok); }

MsgButton askYesNo(const QString& text, MsgButton defaultButton)
{
    return ask(MsgType::Confirmation, text, {MsgButton::Yes, MsgButton::No}, defaultButton);
}

} // namespace platform
