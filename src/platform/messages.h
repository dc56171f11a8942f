#pragma once
// Message boxes of the program. Every box the program shows goes through
// MessageService, so that the real program shows Qt message boxes and the
// tests answer them by script and read back what was asked.

#include <QList>
#include <QString>

namespace platform {

// The kind of a typed box decides its title: "Atenção", "Erro", "Informação",
// "Confirmação". A plain box carries the application's title.
enum class MsgType { Plain, Warning, Error, Information, Confirmation };

// Buttons read "&Sim", "&Não", "OK", "Cancelar".
enum class MsgButton { Yes, No, Ok, Cancel };

struct MessageRequest {
    MsgType type = MsgType::Plain;
    QString text;
    QList<MsgButton> buttons{MsgButton::Ok};
    MsgButton defaultButton = MsgButton::Ok;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box modally and returns the button chosen. Closing the box
    // (Esc, close button) answers "Cancelar" when the box has it, else
    // "&Não" when it has it, else "OK".
    virtual MsgButton show(const MessageRequest& request) = 0;

    // The service in force; by default the Qt message boxes.
    static MessageService& instance();
    // Installs another service (tests); nullptr restores the default. Not owned.
    static void setInstance(MessageService* service);
};

// The title shown for a typed box, or the application's title for a plain one.
QString messageTitle(MsgType type);
// The caption of a button.
QString buttonCaption(MsgButton button);
// The answer a box gives when it is closed without a button.
MsgButton escapeAnswer(const MessageRequest& request);

// Shortcuts used throughout the program.
void showMessage(const QString& text);                 // plain box, "OK"
void showError(const QString& text);                   // "Erro", "OK"
void showInformation(const QString& text);             // "Informação", "OK"
MsgButton askYesNo(const QString& text, MsgButton defaultButton = MsgButton::Yes); // "Confirmação"

} // namespace platform
