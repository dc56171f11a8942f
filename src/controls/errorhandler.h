#pragma once
// Where the data-aware controls send an error they cannot let escape: a text
// refused when the focus leaves a box, a command that fails. The main window
// installs its error hook here; until then the error is shown in a plain box.

#include "core/eerror.h"

#include <functional>

namespace controls {

using ErrorHandler = std::function<void(const EError& error)>;

// Installs the handler; an empty function restores the plain message box.
void setErrorHandler(ErrorHandler handler);
void handleError(const EError& error);
// Runs the action; an error it raises goes to the handler. False when it failed.
bool attempt(const std::function<void()>& action);

} // namespace controls
