#include "reportengine/preparedpage.h"

namespace report {

QList<const PreparedItem*> PreparedPage::itemsNamed(const QString& name) const
{
    QList<const PreparedItem*> found;
    for (const PreparedItem& item : items)
        if (item.name == name)
            found << &item;
    return found;
}

} // namespace report
