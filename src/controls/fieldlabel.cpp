#include "controls/fieldlabel.h"

#include "dataset/dataset.h"
#include "dataset/field.h"

namespace controls {

FieldLabel::FieldLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    connect(&m_link, &FieldLink::dataChanged, this, &FieldLabel::showField);
    connect(&m_link, &FieldLink::editingChanged, this, &FieldLabel::showField);
}

void FieldLabel::setShowsValueBeforeEditWhenEmpty(bool on)
{
    m_valueBeforeEdit = on;
    showField();
}

void FieldLabel::showField()
{
    const ds::Field* f = m_link.field();
    QString text = f ? f->displayText() : QString();
    if (text.isEmpty() && f && m_valueBeforeEdit && !f->isLookup()) {
        const ds::DataSet& data = f->dataSet();
        if (data.state() == ds::DataSetState::Edit && data.recNo() >= 0 && data.recNo() < int(data.rows().size()))
            text = data.rows()[size_t(data.recNo())]->values.at(f->dataIndex()).toString();
    }
    setText(text);
}

} // namespace controls
