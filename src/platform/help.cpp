#include "platform/help.h"

#include "platform/helpwindow.h"
#include "platform/messages.h"
#include "platform/serviceslot.h"

#include <QCoreApplication>
#include <QPointer>

namespace platform {

namespace {

// The one help window of the run, made at the first request.
QPointer<HelpWindow>& sharedWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

} // namespace

void Help::showContext(int context)
{
    QPointer<HelpWindow>& window = sharedWindow();
    if (!window) {
        auto* made = new HelpWindow(HelpWindow::programCollectionFile());
        if (!made->isValid()) {
            const QString error = made->errorText();
            delete made; // the next request tries again
            showError(error);
            return;
        }
        // The window outlives no application: it goes when the event loop ends.
        if (QCoreApplication* app = QCoreApplication::instance())
            QObject::connect(app, &QCoreApplication::aboutToQuit, made, &QObject::deleteLater);
        window = made;
    }
    window->showContext(context);
}

Help& Help::instance()
{
    static Help window;
    return ServiceSlot<Help>::get(window);
}

void Help::setInstance(Help* help) { ServiceSlot<Help>::set(help); }

} // namespace platform
