#include "controls/fieldlabel.h"

#include "dataset/field.h"

namespace controls {

FieldLabel::FieldLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    connect(&m_link, &FieldLink::dataChanged, this, &FieldLabel::showField);
    connect(&m_link, &FieldLink::editingChanged, this, &FieldLabel::showField);
}

void FieldLabel::showField()
{
    const ds::Field* f = m_link.field();
    setText(f ? f->displayText() : QString());
}

} // namespace controls
