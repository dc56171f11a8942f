#include "controls/errorhandler.h"

#include "dataset/dberror.h"
#include "platform/messages.h"

namespace controls {

namespace {
ErrorHandler& installed()
{
    static ErrorHandler handler;
    return handler;
}
} // namespace

void setErrorHandler(ErrorHandler handler) { installed() = std::move(handler); }

void handleError(const EError& error)
{
    // An abandoned operation is silent by design.
    if (dynamic_cast<const ds::EAbort*>(&error))
        return;
    if (installed())
        installed()(error);
    else
        platform::showMessage(error.message());
}

bool attempt(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const EError& error) {
        handleError(error);
        return false;
    }
}

} // namespace controls
