#include "app/marvokapplication.h"

#include "controls/errorhandler.h"
#include "core/eerror.h"

MarvokApplication::MarvokApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool MarvokApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const EError& error) {
        controls::handleError(error);
    } catch (const std::exception& error) {
        controls::handleError(EError(QString::fromLocal8Bit(error.what())));
    }
    return false;
}
