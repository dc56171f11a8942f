// The main routine of the test programs that link marvok_testmain: a
// QApplication (offscreen in ctest) around the GoogleTest run.

#include "isolatedsettings.h"
#include "platform/eventloop.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    isolateSettings();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::prepareEventLoop();
    QApplication app(argc, argv);
    platform::eventLoopMade();
    QApplication::setApplicationName(QStringLiteral("Marvok"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
