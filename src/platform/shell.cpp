#include "platform/shell.h"

#include "platform/serviceslot.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

void Shell::openUrl(const QString& target) { QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode)); }

Shell& Shell::instance()
{
    static Shell desktop;
    return ServiceSlot<Shell>::get(desktop);
}

void Shell::setInstance(Shell* shell) { ServiceSlot<Shell>::set(shell); }

} // namespace platform
