// Marvok: the clinical record of a child-therapy practice.

#include "app/marvokapplication.h"
#include "app/startup.h"

int main(int argc, char** argv)
{
    MarvokApplication application(argc, argv);
    return app::runMarvok();
}
