#pragma once
// What the engine needs of a data set: open it when it is closed, walk its rows
// in their order and read a column of the current row. Columns are looked up
// once per run and then read by index, row after row.

#include <QString>
#include <QVariant>

namespace report {

class DataSource {
public:
    virtual ~DataSource() = default;

    virtual bool isActive() const = 0;
    // Opens the data set through its own opening rules (before-open handlers).
    virtual void open() = 0;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;

    // -1 when the data set has no such column.
    virtual int columnIndex(const QString& column) const = 0;
    virtual QVariant value(int column) const = 0;
    virtual QString displayText(int column) const = 0;
};

} // namespace report
