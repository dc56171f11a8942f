#include "dataset/datasource.h"

namespace ds {

DataSource::DataSource(DataSet* dataSet, QObject* parent) : QObject(parent) { setDataSet(dataSet); }

DataSource::~DataSource()
{
    if (m_dataSet)
        m_dataSet->detachDataSource(this);
}

void DataSource::setDataSet(DataSet* dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->detachDataSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->attachDataSource(this);
    emit dataSetReplaced();
    emit anyChange();
}

void DataSource::dataSetDestroyed()
{
    m_dataSet = nullptr;
    emit dataSetReplaced();
}

} // namespace ds
