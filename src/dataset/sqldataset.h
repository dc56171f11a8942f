#pragma once
// A data set over one SQL statement of a connection: opening runs the
// statement with its parameters and holds every row in memory; each row
// keeps its original values so that its changes can be written back.

#include "dataset/dataset.h"
#include "dataset/param.h"

#include <deque>

namespace ds {

class Connection;

class SqlDataSet : public DataSet {
public:
    SqlDataSet(QString name, Connection* connection, QString sql);

    Connection* connection() const { return m_connection; }
    const QString& sql() const { return m_sql; }
    void setSql(const QString& sql);       // closed data sets only; parameters follow the text

    std::deque<Param>& params() { return m_params; }
    Param& paramByName(const QString& name);   // throws EDatabaseError
    Param* findParam(const QString& name);

    // The table the statement reads, where changes are written.
    QString tableName() const;

protected:
    void doOpen() override;

private:
    Connection* m_connection;
    QString m_sql;
    std::deque<Param> m_params;
};

} // namespace ds
