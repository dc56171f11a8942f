#include "controls/fieldcombobox.h"

#include "controls/errorhandler.h"
#include "dataset/field.h"

namespace controls {

FieldComboBox::FieldComboBox(QWidget* parent) : QComboBox(parent)
{
    connect(&m_link, &FieldLink::dataChanged, this, &FieldComboBox::showField);
    connect(&m_link, &FieldLink::editingChanged, this, &FieldComboBox::showField);
    connect(this, &QComboBox::activated, this, &FieldComboBox::choose);
}

void FieldComboBox::showField()
{
    const ds::Field* f = m_link.field();
    setCurrentIndex(f ? findText(f->text(), Qt::MatchFixedString) : -1);
}

void FieldComboBox::choose(int item)
{
    const QString chosen = itemText(item);
    attempt([&] {
        if (m_link.edit())
            m_link.field()->setText(chosen);
    });
    showField();
}

} // namespace controls
