#include "controls/lookupcombobox.h"

#include "controls/errorhandler.h"
#include "controls/lookuplist.h"
#include "dataset/field.h"

namespace controls {

LookupComboBox::LookupComboBox(QWidget* parent) : QComboBox(parent)
{
    connect(&m_link, &FieldLink::dataChanged, this, &LookupComboBox::showField);
    connect(&m_reference, &ds::DataSource::anyChange, this, [this] { m_listStale = true; });
    connect(this, &QComboBox::activated, this, &LookupComboBox::choose);
}

void LookupComboBox::fillList()
{
    const ds::Field* f = m_link.field();
    ds::DataSet* reference = f && f->isLookup() ? f->lookupDataSet() : nullptr;
    if (reference != m_reference.dataSet()) {
        m_reference.setDataSet(reference);
        m_listStale = true;
    }
    if (!m_listStale)
        return;
    m_listStale = false;
    if (reference)
        fillLookupList(*this, *f);
    else
        clear();
}

void LookupComboBox::showField()
{
    fillList();
    const ds::Field* f = m_link.field();
    setCurrentIndex(f && f->isLookup() ? currentLookupItem(*this, *f) : -1);
}

void LookupComboBox::showPopup()
{
    showField();
    QComboBox::showPopup();
}

void LookupComboBox::choose(int item)
{
    const QVariant key = itemData(item);
    attempt([&] {
        if (m_link.edit())
            m_link.writtenField()->setValue(key);
    });
    showField();
}

} // namespace controls
