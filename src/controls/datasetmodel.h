#pragma once
// A data set as a table for a grid: one column per visible field, in field
// order, titled with the field's label; one row per record, drawn through the
// fields' display texts. It follows the data set through its data source.

#include "dataset/datasource.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>

namespace controls {

class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetModel(QObject* parent = nullptr);

    ds::DataSource* dataSource() const { return m_source; }
    void setDataSource(ds::DataSource* source);
    ds::DataSet* dataSet() const;
    ds::Field* fieldAt(int column) const { return column >= 0 && column < m_columns.size() ? m_columns[column] : nullptr; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Another set of columns: their widths start from the fields' widths again.
    void columnsChanged();
    // The current record or the rows changed.
    void cursorMoved();
    // The record under the cursor is another one, or was saved or cancelled:
    // what was typed into a cell no longer applies.
    void recordReplaced();
    // A post is about to happen: the cell being edited must be written.
    void updateData();

private:
    void sync();
    void recordChanged(ds::Field* field);

    QPointer<ds::DataSource> m_source;
    QList<ds::Field*> m_columns;
    int m_rows = 0;
};

} // namespace controls
