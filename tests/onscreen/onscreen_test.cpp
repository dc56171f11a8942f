// On a real X display framed by a window manager: the splash is painted the
// moment it shows, though the program then runs no events while it connects,
// and the about box stands where the splash stood; the backup's progress
// window is painted whole while the server's tool runs.

#include "dialogs/backupprogressdialog.h"
#include "dialogs/tfrmsobre.h"
#include "support/modaldriver.h"

#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The share of the window's pixels that the screen shows otherwise than the
// window draws itself: 0 for a window painted whole, 1 for an unpainted one.
double amiss(QWidget& window)
{
    const QImage shown = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage drawn = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (shown.size() != drawn.size() || shown.isNull())
        return 1;
    qint64 differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            differing += shown.pixel(x, y) != drawn.pixel(x, y) ? 1 : 0;
    return double(differing) / (shown.width() * shown.height());
}

TEST(OnScreen, TheSplashIsPaintedAtOnceAndTheAboutBoxStandsWhereItStood)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    TfrmSobre box;
    box.ShowSplash();
    // No event runs from here on, as while the program connects.
    EXPECT_LT(amiss(box), 0.01);

    QTest::qWait(500);   // the window manager has framed and placed it
    const QRect splash = box.frameGeometry();
    QRect about;
    box.hide();
    ModalDriver driver([&](QWidget*) {
        QTest::qWait(500);
        about = box.frameGeometry();
        QTest::mouseClick(box.Button1, Qt::LeftButton);
    });
    box.ShowModal();
    EXPECT_TRUE(driver.acted());
    EXPECT_EQ(about, splash);
}

TEST(OnScreen, TheBackupProgressIsPaintedWholeWhileNoEventsRun)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    BackupProgressDialog dialog;
    dialog.begin(QStringLiteral(u"Salvando cópia de segurança…"));
    EXPECT_LT(amiss(dialog), 0.01);
    dialog.setProgress({QStringLiteral(u"Gravando a cópia: tabela PACIENTE"), 9, 15});
    EXPECT_LT(amiss(dialog), 0.01);
}

} // namespace
