#include "controls/datasetmodel.h"

#include "controls/fieldinput.h"
#include "controls/sourcebinding.h"

namespace controls {

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataSetModel::setDataSource(ds::DataSource* source)
{
    if (!repoint(m_source, source, this))
        return;
    if (source) {
        connectRecordReplaced(source, this, &DataSetModel::recordReplaced);
        for (auto signal : {&ds::DataSource::activeChanged, &ds::DataSource::dataSetChanged,
                            &ds::DataSource::stateChanged, &ds::DataSource::dataSetReplaced})
            connect(source, signal, this, &DataSetModel::sync);
        connect(source, &ds::DataSource::dataSetScrolled, this, [this] {
            if (m_rows > 0)
                emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
            emit cursorMoved();
        });
        connect(source, &ds::DataSource::recordChanged, this, &DataSetModel::recordChanged);
        connect(source, &ds::DataSource::updateRecord, this, &DataSetModel::updateData);
    }
    sync();
}

ds::DataSet* DataSetModel::dataSet() const { return m_source ? m_source->dataSet() : nullptr; }

void DataSetModel::sync()
{
    // A closed data set keeps its fields, and the grid its columns and the
    // widths the user gave them: only the rows go.
    QList<ds::Field*> columns;
    int rows = 0;
    if (const ds::DataSet* data = dataSet()) {
        for (const auto& f : data->fields())
            if (f->visible())
                columns.append(f.get());
        if (data->isActive())
            rows = data->recordCount();
    }
    if (columns != m_columns) {
        beginResetModel();
        m_columns = columns;
        m_rows = rows;
        endResetModel();
        emit columnsChanged();
        emit cursorMoved();
        return;
    }
    // Rows are told by position only, so a change in number is taken at the end
    // and every row is drawn again; the columns keep the widths the user gave them.
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    if (m_rows > 0 && !m_columns.isEmpty()) {
        emit dataChanged(index(0, 0), index(m_rows - 1, int(m_columns.size()) - 1));
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
    }
    emit cursorMoved();
}

void DataSetModel::recordChanged(ds::Field* field)
{
    const ds::DataSet* data = dataSet();
    if (!field || !data || data->recNo() < 0 || data->recNo() >= m_rows) {
        sync();
        return;
    }
    if (m_columns.isEmpty())
        return;
    // A key field changes its lookup columns too: the whole row is drawn again.
    emit dataChanged(index(data->recNo(), 0), index(data->recNo(), int(m_columns.size()) - 1));
}

int DataSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int DataSetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    const ds::Field* f = fieldAt(index.column());
    const ds::DataSet* data = dataSet();
    if (!f || !data || index.row() >= data->recordCount())
        return {};
    if (role == Qt::DisplayRole)
        return data->withRow(index.row(), [f] { return f->displayText(); });
    if (role == Qt::TextAlignmentRole && (f->type() == ds::FieldType::Integer || f->type() == ds::FieldType::Float))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        const ds::Field* f = fieldAt(section);
        return f ? f->displayLabel() : QString();
    }
    // The row indicator: the current record, and whether it is edited or new.
    const ds::DataSet* data = dataSet();
    if (!data || section != data->recNo())
        return QString();
    switch (data->state()) {
    case ds::DataSetState::Edit: return QStringLiteral("I");
    case ds::DataSetState::Insert: return QStringLiteral("*");
    default: return QStringLiteral(u"\u25B8");
    }
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (const ds::Field* f = fieldAt(index.column()); f && canWrite(*f))
        flags |= Qt::ItemIsEditable;
    return flags;
}

} // namespace controls
