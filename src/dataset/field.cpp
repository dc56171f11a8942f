#include "dataset/field.h"
#include "core/timeofday.h"
#include "dataset/dataset.h"
#include "dataset/dateformat.h"
#include "dataset/dberror.h"
#include "dataset/editmask.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace ds {

namespace {
const QString kTimeFormat = QStringLiteral("hh:mm:ss");
}

QVariant coerceValue(FieldType type, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (type) {
    case FieldType::Integer:
        return QVariant(value.toInt());
    case FieldType::Float:
        return QVariant(value.toDouble());
    case FieldType::Text:
    case FieldType::Memo:
        return QVariant(value.toString());
    case FieldType::Date: {
        // A date that holds no day is no value.
        const QDate d = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Time: {
        const TimeOfDay t = value.metaType() == QMetaType::fromType<TimeOfDay>()
                                ? value.value<TimeOfDay>()
                                : TimeOfDay(value.typeId() == QMetaType::QDateTime ? value.toDateTime().time()
                                                                                   : value.toTime());
        return t.isValid() ? t.toVariant() : QVariant();
    }
    case FieldType::DateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    }
    return value;
}

Field::Field(DataSet& dataSet, QString name, FieldType type, int size)
    : m_dataSet(dataSet), m_name(std::move(name)), m_type(type), m_size(size)
{
}

void Field::setVisible(bool on)
{
    if (m_visible == on)
        return;
    m_visible = on;
    m_dataSet.notifyRecordChanged(nullptr);
}

void Field::setLookup(QString keyField, DataSet* lookupDataSet, QString lookupKey, QString lookupResult)
{
    m_keyField = std::move(keyField);
    m_lookupDataSet = lookupDataSet;
    m_lookupKey = std::move(lookupKey);
    m_lookupResult = std::move(lookupResult);
}

QVariant Field::value() const { return m_dataSet.fieldValue(*this); }

bool Field::isNull() const
{
    const QVariant v = value();
    return !v.isValid() || v.isNull();
}

QString Field::asString() const
{
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return {};
    switch (m_type) {
    case FieldType::Date:
        return dateToText(v.toDate());
    case FieldType::Time:
        return v.toTime().toString(kTimeFormat);
    case FieldType::DateTime:
        return dateToText(v.toDateTime().date()) + u' ' + v.toDateTime().time().toString(kTimeFormat);
    default:
        return v.toString();
    }
}

int Field::asInteger() const { return value().toInt(); }
QDate Field::asDate() const { return value().toDate(); }
QTime Field::asTime() const { return value().toTime(); }

void Field::setValue(const QVariant& value) { m_dataSet.setFieldValue(*this, value); }

QString Field::defaultText(bool displayText) const
{
    QString text = asString();
    if (displayText && !m_editMask.isEmpty() && m_type == FieldType::Text && !text.isEmpty())
        text = EditMask(m_editMask).format(text);
    return text;
}

QString Field::displayText() const { return onGetText ? onGetText(*this, true) : defaultText(true); }

QString Field::text() const { return onGetText ? onGetText(*this, false) : defaultText(false); }

void Field::setText(const QString& text)
{
    if (onSetText)
        onSetText(*this, text);
    else
        setDefaultText(text);
}

void Field::setDefaultText(const QString& text)
{
    if (text.isEmpty()) {
        clear();
        return;
    }
    switch (m_type) {
    case FieldType::Integer: {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        if (!ok)
            throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
        setValue(v);
        return;
    }
    case FieldType::Float: {
        bool ok = false;
        const double v = text.trimmed().toDouble(&ok);
        if (!ok)
            throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
        setValue(v);
        return;
    }
    case FieldType::Date: {
        bool ok = false;
        const QDate d = textToDate(text, &ok);
        if (!ok)
            throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
        setValue(d);
        return;
    }
    case FieldType::Time: {
        const QString t = text.trimmed();
        QTime v;
        for (const QString& format : {kTimeFormat, QStringLiteral("h:mm:ss"), QStringLiteral("h:mm")})
            if (!v.isValid())
                v = QTime::fromString(t, format);
        if (!v.isValid())
            throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
        setValue(v);
        return;
    }
    case FieldType::DateTime: {
        const QString t = text.trimmed();
        const QDateTime v = QDateTime::fromString(t, shortDateFormat() + u' ' + kTimeFormat);
        if (v.isValid()) {
            setValue(v);
            return;
        }
        bool ok = false;
        const QDate d = textToDate(t, &ok);
        if (!ok)
            throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(text));
        setValue(QDateTime(d, QTime(0, 0)));
        return;
    }
    case FieldType::Text:
    case FieldType::Memo:
        setValue(text);
        return;
    }
}

} // namespace ds
