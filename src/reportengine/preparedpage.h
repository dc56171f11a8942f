#pragma once
// One sheet of a prepared report: its paper size and what is drawn on it,
// back to front.

#include "reportengine/prepareditem.h"

#include <QSizeF>

namespace report {

struct PreparedPage {
    QSizeF size{210, 297}; // mm
    QList<PreparedItem> items;

    // The items whose name is given, in drawing order.
    QList<const PreparedItem*> itemsNamed(const QString& name) const;
    bool operator==(const PreparedPage&) const = default;
};

} // namespace report
