// The main routine of the test programs that link marvok_testmain: a
// QApplication (offscreen in ctest) around the GoogleTest run.

#include "fb/client.h"
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
    int result = 0;
    {
        QApplication app(argc, argv);
        platform::eventLoopMade();
        QApplication::setApplicationName(QStringLiteral("Marvok"));
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    // The run's users are gone with the application; the client library's
    // threads end here, not while the leak check of the sanitizer build runs.
    fb::shutdownClient();
    return result;
}
