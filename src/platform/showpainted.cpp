#include "platform/showpainted.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {
constexpr int kWaitMs = 1000;
}

void showPainted(QWidget& window)
{
    window.show();
    // The window system shows a window a moment after it is asked to, and
    // what is painted before is lost: until it shows, the window would stay
    // unpainted for as long as the program is busy.
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && waited.elapsed() < kWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(5);
    }
    window.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace platform
