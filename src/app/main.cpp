// Marvok: the clinical record of a child-therapy practice.

#include "app/marvokapplication.h"
#include "app/startup.h"
#include "platform/eventloop.h"

int main(int argc, char** argv)
{
    platform::prepareEventLoop();
    MarvokApplication application(argc, argv);
    platform::eventLoopMade();
    return app::runMarvok();
}
