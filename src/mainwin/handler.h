#pragma once
// The window's handlers run from signals and timers; an error one of them
// raises goes to the program's error hook instead of the event loop.

#include "controls/errorhandler.h"

namespace mainwin {

// A slot that runs fn, whatever the signal's arguments, and hands an error to the error hook.
template <class Fn>
auto handler(Fn fn)
{
    return [fn](auto&&...) { controls::attempt(fn); };
}

// The name of the property that holds a widget's help context.
inline constexpr char kHelpContext[] = "HelpContext";

} // namespace mainwin
