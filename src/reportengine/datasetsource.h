#pragma once
// A data set of the program seen as a report's data source.

#include "reportengine/datasource.h"

namespace ds {
class DataSet;
}

namespace report {

class DataSetSource : public DataSource {
public:
    explicit DataSetSource(ds::DataSet& dataSet) : m_dataSet(dataSet) {}

    bool isActive() const override;
    void open() override;
    void first() override;
    void next() override;
    bool eof() const override;
    int columnIndex(const QString& column) const override;
    QVariant value(int column) const override;
    QString displayText(int column) const override;

private:
    ds::DataSet& m_dataSet;
};

} // namespace report
