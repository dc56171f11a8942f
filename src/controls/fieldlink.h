#pragma once
// The tie between one control and one field of the data set behind a data
// source: it finds the field, tells the control when the value it shows may
// have changed, when the edit state changed and when it must hand over its
// typed text, and puts the data set into edit for the control.

#include "dataset/datasource.h"

#include <QObject>
#include <QPointer>

namespace controls {

class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(QObject* parent = nullptr);

    ds::DataSource* dataSource() const { return m_source; }
    void setDataSource(ds::DataSource* source);
    const QString& fieldName() const { return m_fieldName; }
    void setFieldName(const QString& name);

    ds::DataSet* dataSet() const;
    // The field of an open data set, or null. Looked up each time, since a
    // data set may build its fields anew when it opens.
    ds::Field* field() const;
    // For a lookup column, the key column it writes.
    ds::Field* writtenField() const;
    bool editing() const;
    bool canModify() const;
    // Puts the data set into edit (into insert when it is empty); false when
    // the field cannot be modified. Throws what the data set's rules throw.
    bool edit();
    // The same, an error going to the error handler.
    bool startEditing();

signals:
    // The value to show may be another one: reload it and forget typed text.
    void dataChanged();
    void editingChanged();
    // A post is about to happen: write the typed text now.
    void updateData();

private:
    void recordChanged(ds::Field* changed);

    QPointer<ds::DataSource> m_source;
    QString m_fieldName;
};

} // namespace controls
