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

// Ends an operation silently: a handler throws it to abandon what it was
// asked to do, and nobody shows a message for it.
class EAbort : public EError {
public:
    EAbort() : EError(QStringLiteral("Operation aborted")) {}
};

} // namespace ds
