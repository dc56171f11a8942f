// The event loop every Marvok process runs: Qt's own, with Qt's own file
// dialogs, and an environment passed on to other programs as it was found.

#include "platform/eventloop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <gtest/gtest.h>

TEST(EventLoop, IsQtsOwnWithQtsOwnDialogsAndLeavesTheEnvironmentAsFound)
{
    // The test program's main routine made its application the way Marvok does.
    const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    ASSERT_NE(dispatcher, nullptr);
    EXPECT_STRNE(dispatcher->metaObject()->className(), "QEventDispatcherGlib");
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_NO_GLIB"));

    // A choice made by whoever started the program stays in place.
    qputenv("QT_NO_GLIB", "0");
    platform::prepareEventLoop();
    platform::eventLoopMade();
    EXPECT_EQ(qgetenv("QT_NO_GLIB"), QByteArray("0"));
    qunsetenv("QT_NO_GLIB");
}
