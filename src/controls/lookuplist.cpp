#include "controls/lookuplist.h"

#include "dataset/dataset.h"
#include "dataset/valuecompare.h"

#include <QComboBox>

namespace controls {

void fillLookupList(QComboBox& box, const ds::Field& lookupField)
{
    box.clear();
    const ds::DataSet* reference = lookupField.lookupDataSet();
    if (!reference || !reference->isActive())
        return;
    const ds::Field& key = reference->fieldByName(lookupField.lookupKeyField());
    const ds::Field& shown = reference->fieldByName(lookupField.lookupResultField());
    for (int row = 0; row < reference->recordCount(); ++row) {
        reference->withRow(row, [&] { box.addItem(shown.displayText(), key.value()); });
    }
}

int currentLookupItem(const QComboBox& box, const ds::Field& lookupField)
{
    const ds::Field& key = lookupField.dataSet().fieldByName(lookupField.keyFieldName());
    if (key.isNull())
        return -1;
    const QVariant wanted = key.value();
    for (int i = 0; i < box.count(); ++i)
        if (ds::sameValue(key.type(), ds::coerceValue(key.type(), box.itemData(i)), wanted))
            return i;
    return -1;
}

} // namespace controls
