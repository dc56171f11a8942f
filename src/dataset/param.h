#pragma once
// A named parameter of an SQL data set's statement.

#include <QDate>
#include <QString>
#include <QVariant>

namespace ds {

class Param {
public:
    explicit Param(QString name) : m_name(std::move(name)) {}
    const QString& name() const { return m_name; }
    const QVariant& value() const { return m_value; }
    void setValue(const QVariant& value) { m_value = value; }
    void setAsInteger(int value) { m_value = value; }
    void setAsDate(const QDate& value) { m_value = value; }
    int asInteger() const { return m_value.toInt(); }
    bool isNull() const { return !m_value.isValid() || m_value.isNull(); }
    void clear() { m_value = QVariant(); }

private:
    QString m_name;
    QVariant m_value;
};

} // namespace ds
