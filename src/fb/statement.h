#pragma once
// A prepared SQL statement with named parameters. Values travel as QVariant:
// an invalid QVariant is NULL; integers, texts, dates (QDate), times
// (TimeOfDay, to the server's ten-thousandth of a second; QTime is taken
// too), timestamps, doubles, and text blobs (QString) are understood. An
// invalid date or time is NULL as well.
//
// A statement runs on the transaction it was prepared in, or on any later
// transaction of the same attachment handed to execute(), so one prepared
// statement serves many runs. When its attachment ends (disconnected or
// abandoned) it lets go of its handles and must be prepared again.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

namespace fb {

class Connection;
class Transaction;

enum class ColumnType { Integer, BigInt, Double, Text, Date, Time, Timestamp, TextBlob, Blob, Boolean, Other };

struct Column {
    QString name;        // the column's alias, as the result names it
    QString field;       // the underlying column, when it is one
    QString relation;    // the underlying table, when there is one
    ColumnType type = ColumnType::Other;
    int length = 0;      // characters, for texts
    int scale = 0;
    bool nullable = true;
};

// Raw texts are sent as they stand: PSQL blocks use ":NAME" for their own
// variables, and their parameters are "?" marks set by position.
enum class ParamStyle { Named, Raw };

class Statement {
public:
    // Prepares; throws FbError.
    Statement(Transaction& transaction, const QString& sql, ParamStyle style = ParamStyle::Named);
    // False once the attachment it was prepared on has ended.
    bool isPrepared() const;
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Distinct parameter names in order of first appearance.
    QStringList paramNames() const;
    bool hasParam(const QString& name) const;
    void setParam(const QString& name, const QVariant& value);    // every occurrence; throws EError when unknown
    void setParamAt(int position, const QVariant& value);

    const QVector<Column>& columns() const;
    bool hasResultSet() const;

    // Runs the statement. A select opens its cursor; read rows with fetch().
    void execute();
    // Runs it on another transaction of the same attachment, which serves
    // its cursor and blobs from now on; the transaction must outlive that use.
    void execute(Transaction& transaction);
    bool fetch();
    const QVector<QVariant>& row() const;
    // The fetched row's values, which the caller may move out.
    QVector<QVariant>& takeRow();
    QVariant value(int column) const { return row().at(column); }
    void closeCursor();

    // Rows inserted, updated or deleted by the last execute().
    quint64 affectedRecords() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Runs a statement that returns no rows; returns the rows it affected.
quint64 executeSql(Transaction& transaction, const QString& sql, ParamStyle style = ParamStyle::Named);
// Runs such statements in order in a transaction of their own, committed
// once they have all run: all of them take effect or none.
void executeInTransaction(Connection& connection, const QStringList& statements,
                          ParamStyle style = ParamStyle::Named);
// The rows a query returns, read in a read-only transaction of its own;
// params are set by position.
QList<QVariantList> selectRows(Connection& connection, const QString& sql, const QVariantList& params = {},
                               ParamStyle style = ParamStyle::Named);
// The first value of the first row such a query returns; invalid when it
// returns no row.
QVariant selectValue(Connection& connection, const QString& sql, const QVariantList& params = {},
                     ParamStyle style = ParamStyle::Named);

} // namespace fb
