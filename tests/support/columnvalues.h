#pragma once
// The values of one column of a data set, row by row and as texts: what a
// test compares after rows were added, moved or deleted.

#include "dataset/dataset.h"

#include <QStringList>

inline QStringList columnValues(const ds::DataSet& data, const QString& fieldName)
{
    const ds::Field& field = data.fieldByName(fieldName);
    QStringList values;
    for (int row = 0; row < data.recordCount(); ++row)
        values << data.rowValue(row, field).toString();
    return values;
}
