#pragma once
// Private to the fb layer: access to the Firebird OO API and the one place
// where a Firebird status becomes an FbError.

#include "fb/fberror.h"
#include <firebird/Interface.h>

namespace fb::detail {

Firebird::IMaster* master();
Firebird::IUtil* util();
Firebird::IProvider* provider();

// Turns a Firebird status into our error type.
FbError toError(const Firebird::IStatus* status);

// Runs a call with a throwing status wrapper and converts its failure.
template <typename F>
auto call(F&& f)
{
    Firebird::IStatus* raw = master()->getStatus();
    Firebird::ThrowStatusWrapper status(raw);
    struct Disposer {
        Firebird::IStatus* s;
        ~Disposer() { s->dispose(); }
    } disposer{raw};
    try {
        return f(&status);
    } catch (const Firebird::FbException& e) {
        throw toError(e.getStatus());
    }
}

} // namespace fb::detail
