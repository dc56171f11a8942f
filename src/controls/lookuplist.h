#pragma once
// The rows a lookup column can choose from, as the items of a combo box:
// the reference data set's shown column as text, its key as item data.
// Shared by the lookup list and the grid's lookup cell.

class QComboBox;

namespace ds {
class Field;
}

namespace controls {

void fillLookupList(QComboBox& box, const ds::Field& lookupField);
// The item of the current record's key, or -1.
int currentLookupItem(const QComboBox& box, const ds::Field& lookupField);
} // namespace controls
