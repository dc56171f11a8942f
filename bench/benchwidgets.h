#pragma once
// What a benchmark that prepares or shows widgets does before it makes its
// application object: the offscreen platform unless another is asked for,
// and the program's own event loop.

#include "platform/eventloop.h"

#include <QtGlobal>

namespace bench {

inline void prepareWidgets()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::prepareEventLoop();
}

} // namespace bench
