#pragma once
// A data set over one SQL statement of a connection: opening runs the
// statement with its parameters and holds every row in memory; each row
// keeps its original values so that its changes can be written back with
// applyUpdates.

#include "dataset/dataset.h"
#include "dataset/param.h"

#include <deque>
#include <memory>

namespace fb {
class Connection;
class Statement;
class Transaction;
}

namespace ds {

class Connection;

class SqlDataSet : public DataSet {
public:
    SqlDataSet(QString name, Connection* connection, QString sql);
    ~SqlDataSet() override;

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
    // the database (the connection is lost) raises EConnectionLost, and every
    // change stays pending for the next apply.
    //
    // A commit whose answer is lost may or may not have reached the
    // database, so its changes are never sent blindly again: the next apply
    // first looks for each of them in the table, takes those it finds as
    // written, and sends only the others.
    void applyUpdates();

protected:
    void doOpen() override;
    // Pending changes are applied before the rows go; a failed apply stops the close.
    void doClose() override;

private:
    // A change sent in a commit that went unanswered: the values sent (the
    // row's new values, or its originals for a deletion).
    struct Unconfirmed {
        RowPtr row;
        bool deletion;
        QVector<QVariant> sent;
    };
    void settleUnconfirmed(fb::Connection& connection);
    // Runs the statement in the transaction and adds its rows.
    void fetchRows(fb::Transaction& tx);

    Connection* m_connection;
    QString m_sql;
    std::deque<Param> m_params;
    // The statement, prepared at the first open and kept for the next.
    std::unique_ptr<fb::Statement> m_select;
    std::vector<Unconfirmed> m_unconfirmed;
};

} // namespace ds
