// The error hook: every error that no other code handled is shown in one
// plain box, three framework messages in Portuguese.

#include "mainwin/tfrmclin.h"

#include "dataset/editmask.h"
#include "platform/messages.h"

#include <typeinfo>

QString TfrmClin::ErrorText(const EError& error)
{
    // Exactly the mask error, not an error derived from it.
    if (typeid(error) == typeid(ds::EDBEditError))
        return QStringLiteral(u"Entrada inválida. Tecle ESC para cancelar as alterações.");
    QString message = error.message();
    // "Field 'NOME' must have a value" names the field from its seventh character.
    const qsizetype p = message.indexOf(QStringLiteral(" must have a value")) + 1;
    if (p > 0 && message.left(5) == QStringLiteral("Field"))
        message = QStringLiteral("Campo ") + message.mid(6, std::max<qsizetype>(0, p - 7)) +
                  QStringLiteral(" deve ter um valor");
    // "'31/02/2010' is not a valid date", also "... date and time".
    const qsizetype q = message.indexOf(QStringLiteral(" is not a valid date")) + 1;
    if (q > 0)
        message = message.left(q - 1) + QStringLiteral(u" não é uma data válida");
    return message;
}

void TfrmClin::ApplicationEvents1Exception(const EError& error) { platform::showMessage(ErrorText(error)); }
