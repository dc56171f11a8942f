// Marvok: the clinical record of a child-therapy practice.

#include "app/commandline.h"
#include "app/marvokapplication.h"
#include "app/startup.h"
#include "platform/eventloop.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    if (app::isCommandLineTask(argc, argv)) {
        QCoreApplication application(argc, argv);
        return app::runCommandLineTask();
    }
    platform::prepareEventLoop();
    MarvokApplication application(argc, argv);
    platform::eventLoopMade();
    return app::runMarvok();
}
