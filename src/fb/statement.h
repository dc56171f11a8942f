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

// How a select's texts of unlimited length (UTF8 text blobs) reach the
// program. Each blob costs exchanges of its own with the server; WithRows
// has the server put each text in its row as well, so that the texts come in
// the fetch packets with their rows, and reads as a blob only the rare text
// too long for a row. The statement then reads as it would without them.
enum class TextBlobs { Separate, WithRows };

class Statement {
public:
    // Prepares; throws FbError. textColumns names the select's text blob
    // columns when they are known beforehand (the names of its result), so
    // that the statement is prepared once; otherwise a select that has some
    // is prepared a second time to bring them with its rows.
    Statement(Transaction& transaction, const QString& sql, ParamStyle style = ParamStyle::Named,
              TextBlobs texts = TextBlobs::Separate, const QStringList& textColumns = {});
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

    // Rows inserted, updated or deleted by the last execute(). It costs an
    // exchange with the server of its own, so it is asked only when wanted.
    quint64 affectedRecords() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The select as TextBlobs::WithRows prepares it: after its own columns,
// each named text column again as its UTF-8 bytes, NULL when the text is
// too long to come in its row, then the length of each in bytes. The text
// takes "?" marks, not named parameters.
QString selectWithTextsInRows(const QString& sql, const QStringList& textColumns);

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
// The rows a query returns, read in a transaction the caller holds (the
// attachment's kept reading transaction spares two exchanges).
QList<QVariantList> selectRows(Transaction& transaction, const QString& sql, const QVariantList& params = {},
                               ParamStyle style = ParamStyle::Named);
// The first value of the first row such a query returns; invalid when it
// returns no row.
QVariant selectValue(Connection& connection, const QString& sql, const QVariantList& params = {},
                     ParamStyle style = ParamStyle::Named);
QVariant selectValue(Transaction& transaction, const QString& sql, const QVariantList& params = {},
                     ParamStyle style = ParamStyle::Named);

// Runs a statement once, without a prepare of its own: the server prepares,
// runs and answers it in one exchange, where a prepared statement takes two.
// The parameters go by position ("?"), integers as integers and the rest as
// short texts (a message holds 32 KB); the one row it gives back (a select of one row, a procedure's
// outputs) comes as resultTexts texts of up to 255 characters, NULL as an
// invalid value.
QVariantList executeImmediate(Transaction& transaction, const QString& sql, const QVariantList& params = {},
                              int resultTexts = 0);

} // namespace fb
