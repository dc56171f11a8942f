#include "platform/eventloop.h"

#include <QCoreApplication>

namespace platform {

namespace {
const char kNoGlib[] = "QT_NO_GLIB";
bool g_setHere = false;
} // namespace

void prepareEventLoop()
{
    if (!qEnvironmentVariableIsSet(kNoGlib)) {
        qputenv(kNoGlib, "1");
        g_setHere = true;
    }
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void eventLoopMade()
{
    if (g_setHere)
        qunsetenv(kNoGlib);
    g_setHere = false;
}

} // namespace platform
