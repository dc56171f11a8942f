// On a real X display framed by a window manager: the splash is painted the
// moment it shows, though the program then runs no events while it connects,
// and the about box stands where the splash stood; the backup's progress
// window is painted whole while the server works; a command bar's menu
// button looks as before once its menu has closed, the pointer moved away.

#include "controls/menubutton.h"
#include "dialogs/backupprogressdialog.h"
#include "dialogs/tfrmsobre.h"
#include "support/modaldriver.h"

#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
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

// The real pointer, moved and clicked by the X server as the user's is.
void pointer(const QStringList& arguments)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    ASSERT_TRUE(xdotool.waitForFinished(5000)) << "xdotool did not run";
    ASSERT_EQ(xdotool.exitCode(), 0);
}

void pointAndClick(const QPoint& global)
{
    pointer({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())});
    QTest::qWait(200);
    pointer({QStringLiteral("click"), QStringLiteral("1")});
    QTest::qWait(300);
}

TEST(OnScreen, AMenuButtonLooksAsBeforeOnceItsMenuClosedAwayFromThePointer)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QWidget bar;
    bar.setFixedSize(200, 60);
    QMenu menu;
    bool chosen = false;
    menu.addAction(QStringLiteral("Salvar..."), [&] { chosen = true; });
    auto* button = new controls::MenuButton(&menu, &bar);
    button->setText(QStringLiteral("&Ferramentas"));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(10, 5, 80, 42);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    pointer({QStringLiteral("mousemove"), QStringLiteral("1000"), QStringLiteral("700")});
    QTest::qWait(300);
    const QImage idle = button->grab().toImage();

    // Its menu dropped down with a click, an item chosen in it: the pointer
    // now rests on the menu's place, away from the button. The menu runs its
    // own event loop while it is open.
    bool dropped = false;
    QTimer::singleShot(500, &menu, [&] {
        dropped = menu.isVisible();
        if (dropped)
            pointAndClick(menu.mapToGlobal(menu.actionGeometry(menu.actions().first()).center()));
    });
    QTimer::singleShot(5000, &menu, &QMenu::close);
    pointAndClick(button->mapToGlobal(button->rect().center()));
    QTest::qWait(700);
    EXPECT_TRUE(dropped);
    EXPECT_TRUE(chosen);
    EXPECT_FALSE(menu.isVisible());
    QTest::qWait(300);
    EXPECT_TRUE(button->grab().toImage() == idle) << "the button still looks raised";
}

} // namespace
