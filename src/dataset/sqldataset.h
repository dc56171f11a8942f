#pragma once
// A data set over one SQL statement of a connection: opening runs the
// statement with its parameters and holds every row in memory; each row
// keeps its original values so that its changes can be written back with
// applyUpdates.

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

    // Writes every pending change, in the order made, one statement each, all
    // in one transaction that is committed only when the database took every
    // one of them; the written values then become the rows' originals.
    // Each change the database refused (an error of its own, or no row or
    // more than one found by the original values) goes to onReconcileError
    // once the transaction has been rolled back; the handler's Cancel undoes
    // it in memory, any other answer leaves it pending. Without a handler a
    // refusal raises EDatabaseError. Changes that were not refused in a
    // rolled-back apply stay pending. A failure that keeps the changes from
    // the database (the connection is lost) raises, and every change stays
    // pending for the next apply.
    void applyUpdates();

protected:
    void doOpen() override;

private:
    Connection* m_connection;
    QString m_sql;
    std::deque<Param> m_params;
};

} // namespace ds
