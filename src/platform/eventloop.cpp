#include "platform/eventloop.h"

#include <QCoreApplication>

namespace platform {

void prepareEventLoop()
{
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

} // namespace platform
