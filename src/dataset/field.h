#pragma once
// A column of a data set: its definition (type, size, label, flags, mask),
// its text handlers, and access to its value in the data set's current record.

#include <QString>
#include <QVariant>
#include <functional>

class QDate;
class QTime;

namespace ds {

class DataSet;

enum class FieldType { Integer, Float, Text, Date, Time, DateTime, Memo };

class Field {
public:
    // Text of the value; displayText says whether it is for showing or for editing.
    using GetTextHandler = std::function<QString(const Field& field, bool displayText)>;
    // Replaces the default conversion of an entered text.
    using SetTextHandler = std::function<void(Field& field, const QString& text)>;
    // Sees the value about to be stored and may refuse it by throwing.
    using ValidateHandler = std::function<void(Field& field, const QVariant& newValue)>;

    Field(DataSet& dataSet, QString name, FieldType type, int size);
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    DataSet& dataSet() const { return m_dataSet; }
    const QString& name() const { return m_name; }
    FieldType type() const { return m_type; }
    int size() const { return m_size; }
    bool isLookup() const { return m_lookupDataSet != nullptr; }
    int index() const { return m_index; }          // position among all fields
    int dataIndex() const { return m_dataIndex; }  // position in the stored row; -1 for lookups

    bool required() const { return m_required; }
    void setRequired(bool on) { m_required = on; }
    bool visible() const { return m_visible; }
    void setVisible(bool on);
    bool readOnly() const { return m_readOnly || isLookup(); }
    void setReadOnly(bool on) { m_readOnly = on; }
    QString displayLabel() const { return m_displayLabel.isEmpty() ? m_name : m_displayLabel; }
    void setDisplayLabel(QString label) { m_displayLabel = std::move(label); }
    int displayWidth() const { return m_displayWidth > 0 ? m_displayWidth : m_size > 0 ? m_size : 10; }
    void setDisplayWidth(int chars) { m_displayWidth = chars; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    const QString& editMask() const { return m_editMask; }
    void setEditMask(QString mask) { m_editMask = std::move(mask); }

    // Lookup column: shows lookupResult of the row of lookupDataSet whose
    // lookupKey equals this data set's keyField.
    void setLookup(QString keyField, DataSet* lookupDataSet, QString lookupKey, QString lookupResult);
    const QString& keyFieldName() const { return m_keyField; }
    DataSet* lookupDataSet() const { return m_lookupDataSet; }
    const QString& lookupKeyField() const { return m_lookupKey; }
    const QString& lookupResultField() const { return m_lookupResult; }

    GetTextHandler onGetText;
    SetTextHandler onSetText;
    ValidateHandler onValidate;

    // The value in the data set's current record (or the record being drawn).
    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    int asInteger() const;
    QDate asDate() const;
    QTime asTime() const;
    // Stores a value in the record being edited; runs the validation handler.
    // For a lookup column, stores the key of the reference row whose shown
    // column equals the value.
    void setValue(const QVariant& value);
    void clear() { setValue(QVariant()); }

    // Texts through the handlers: for display (with the edit mask applied) and for editing.
    QString displayText() const;
    QString text() const;
    // Converts an entered text through the set-text handler or the default conversion.
    void setText(const QString& text);
    // The conversions used when no handler is set.
    QString defaultText(bool displayText) const;
    void setDefaultText(const QString& text);

private:
    friend class DataSet;
    DataSet& m_dataSet;
    QString m_name;
    FieldType m_type;
    int m_size;
    int m_index = -1;
    int m_dataIndex = -1;
    bool m_required = false;
    bool m_visible = true;
    bool m_readOnly = false;
    QString m_displayLabel;
    int m_displayWidth = 0;
    int m_tag = 0;
    QString m_editMask;
    QString m_keyField;
    DataSet* m_lookupDataSet = nullptr;
    QString m_lookupKey;
    QString m_lookupResult;
};

// Converts a value to a field type's canonical representation (int, double,
// QString, QDate, TimeOfDay, QDateTime); an invalid QVariant is NULL, and so
// is a date or time that holds none.
QVariant coerceValue(FieldType type, const QVariant& value);

} // namespace ds
