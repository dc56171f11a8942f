#include "platform/help.h"

#include "platform/serviceslot.h"

namespace platform {

// The help window comes with the compiled help collection.
void Help::showContext(int) {}

Help& Help::instance()
{
    static Help window;
    return ServiceSlot<Help>::get(window);
}

void Help::setInstance(Help* help) { ServiceSlot<Help>::set(help); }

} // namespace platform
