// Marvok: the clinical record of a child-therapy practice.

#include "app/commandline.h"
#include "app/marvokapplication.h"
#include "app/startup.h"
#include "fb/client.h"
#include "platform/eventloop.h"

#include <QCoreApplication>

namespace {

int run(int argc, char** argv)
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

} // namespace

int main(int argc, char** argv)
{
    const int result = run(argc, argv);
    // Every connection is closed by now; the client library's own threads end before the program does.
    fb::shutdownClient();
    return result;
}
