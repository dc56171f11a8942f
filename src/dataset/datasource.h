#pragma once
// The link between screen controls and one data set: it tells the controls
// when the data set opens or closes, when the current record moves, when a
// value or the whole content changes, when the edit state changes, and when
// they must hand over a typed text before a post.

#include "dataset/dataset.h"

#include <QObject>

namespace ds {

class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(DataSet* dataSet = nullptr, QObject* parent = nullptr);
    ~DataSource() override;

    DataSet* dataSet() const { return m_dataSet; }
    void setDataSet(DataSet* dataSet);
    DataSetState state() const { return m_dataSet ? m_dataSet->state() : DataSetState::Inactive; }

    // Called by the data set.
    void activeChangedNotice() { emit activeChanged(); emit anyChange(); }
    void dataSetChangedNotice() { emit dataSetChanged(); emit anyChange(); }
    void dataSetScrolledNotice() { emit dataSetScrolled(); emit anyChange(); }
    void stateChangedNotice() { emit stateChanged(); emit anyChange(); }
    void recordChangedNotice(Field* field) { emit recordChanged(field); emit anyChange(); }
    void updateRecordNotice() { emit updateRecord(); }
    void dataSetDestroyed();

signals:
    void activeChanged();
    void dataSetChanged();
    void dataSetScrolled();
    void stateChanged();
    void recordChanged(ds::Field* field);
    void updateRecord();
    // Any of the above but updateRecord; what record commands and hints listen to.
    void anyChange();
    // The data source now points at another data set (or none).
    void dataSetReplaced();

private:
    DataSet* m_dataSet = nullptr;
};

} // namespace ds
