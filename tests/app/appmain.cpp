// The main routine of the application tests: the program's own application
// object (offscreen in ctest) around the GoogleTest run.

#include "app/marvokapplication.h"
#include "isolatedsettings.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    isolateSettings();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    MarvokApplication app(argc, argv);
    MarvokApplication::setApplicationName(QStringLiteral("Marvok"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
