#include "icons/icons.h"

#include <QFile>

namespace icons {

QIcon get(const QString& name)
{
    const QString path = QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

} // namespace icons
