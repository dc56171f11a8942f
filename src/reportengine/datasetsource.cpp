#include "reportengine/datasetsource.h"

#include "dataset/dataset.h"

namespace report {

bool DataSetSource::isActive() const { return m_dataSet.isActive(); }
void DataSetSource::open() { m_dataSet.open(); }
void DataSetSource::first() { m_dataSet.first(); }
void DataSetSource::next() { m_dataSet.next(); }
bool DataSetSource::eof() const { return m_dataSet.eof(); }

int DataSetSource::columnIndex(const QString& column) const
{
    const ds::Field* field = m_dataSet.findField(column);
    return field ? field->index() : -1;
}

QVariant DataSetSource::value(int column) const { return m_dataSet.fields()[size_t(column)]->value(); }

QString DataSetSource::displayText(int column) const { return m_dataSet.fields()[size_t(column)]->displayText(); }

} // namespace report
