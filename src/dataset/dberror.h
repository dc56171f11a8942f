#pragma once
// Errors raised by the data set framework, with the framework's own
// (English) messages; the main window words some of them in Portuguese.

#include "core/eerror.h"

namespace ds {

class EDatabaseError : public EError {
public:
    using EError::EError;
};

// A text that cannot be converted to a field's type.
class EConvertError : public EError {
public:
    using EError::EError;
};

// The database server could not be reached, or the connection to it broke.
// The dead attachment is already released: the next operation attaches
// again. Unlike the framework's own errors it speaks to the user.
class EConnectionLost : public EDatabaseError {
public:
    // changesKept: raised by a save whose changes stay pending in memory.
    EConnectionLost(const QString& serverMessage, bool changesKept)
        : EDatabaseError(QStringLiteral(u"Não foi possível comunicar com o servidor do banco de dados. "
                                        u"Verifique se ele está em funcionamento e tente novamente.") +
                         (changesKept ? QStringLiteral(u"\rAs alterações continuam na tela e serão gravadas "
                                                       u"assim que a comunicação voltar.")
                                      : QString()) +
                         QStringLiteral("\r\rMensagem do Banco de Dados:\r") + serverMessage)
    {
    }
};

// Ends an operation silently: a handler throws it to abandon what it was
// asked to do, and nobody shows a message for it.
class EAbort : public EError {
public:
    EAbort() : EError(QStringLiteral("Operation aborted")) {}
};

} // namespace ds
