#include "controls/sourcebinding.h"

namespace controls {

bool repoint(QPointer<ds::DataSource>& current, ds::DataSource* source, const QObject* receiver)
{
    if (source == current)
        return false;
    if (current)
        QObject::disconnect(current, nullptr, receiver, nullptr);
    current = source;
    return true;
}

} // namespace controls
