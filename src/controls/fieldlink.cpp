#include "controls/fieldlink.h"

#include "controls/errorhandler.h"
#include "controls/fieldinput.h"
#include "controls/sourcebinding.h"

namespace controls {

FieldLink::FieldLink(QObject* parent) : QObject(parent) {}

void FieldLink::setDataSource(ds::DataSource* source)
{
    if (!repoint(m_source, source, this))
        return;
    if (source) {
        connectRecordReplaced(source, this, &FieldLink::dataChanged);
        connect(source, &ds::DataSource::recordChanged, this, &FieldLink::recordChanged);
        connect(source, &ds::DataSource::stateChanged, this, &FieldLink::editingChanged);
        connect(source, &ds::DataSource::updateRecord, this, &FieldLink::updateData);
    }
    emit dataChanged();
}

void FieldLink::setFieldName(const QString& name)
{
    m_fieldName = name;
    emit dataChanged();
}

ds::DataSet* FieldLink::dataSet() const { return m_source ? m_source->dataSet() : nullptr; }

ds::Field* FieldLink::field() const
{
    ds::DataSet* data = dataSet();
    return data && data->isActive() ? data->findField(m_fieldName) : nullptr;
}

ds::Field* FieldLink::writtenField() const
{
    const ds::Field* f = field();
    return f ? controls::writtenField(*f) : nullptr;
}

bool FieldLink::editing() const
{
    ds::DataSet* data = dataSet();
    return data && data->isEditing();
}

bool FieldLink::canModify() const
{
    const ds::Field* f = field();
    return f && canWrite(*f);
}

bool FieldLink::edit()
{
    if (!canModify())
        return false;
    dataSet()->edit();
    return editing();
}

bool FieldLink::startEditing()
{
    bool editing = false;
    attempt([&] { editing = edit(); });
    return editing;
}

void FieldLink::recordChanged(ds::Field* changed)
{
    if (!changed)
        emit dataChanged();
    else if (changed == field() || changed == writtenField())
        emit dataChanged();
}

} // namespace controls
