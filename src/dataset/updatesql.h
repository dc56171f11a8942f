#pragma once
// The statements that write one logged change of a data set back to its
// table: an INSERT of the row's data columns, an UPDATE of the columns that
// changed, a DELETE. UPDATE and DELETE find their row by its original
// values, so that tables without a key column can be changed too, and
// return 1 when they found it.

#include "dataset/dataset.h"

#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>

namespace ds {

struct UpdateStatement {
    QString sql;   // empty: nothing to write
    QVector<QPair<QString, QVariant>> params;   // by name, as the text uses them
};

class UpdateSql {
public:
    UpdateSql(const DataSet& dataSet, QString table);

    UpdateStatement insert(const Row& row) const;
    UpdateStatement modify(const Row& row) const;
    UpdateStatement remove(const Row& row) const;
    UpdateStatement statementFor(const Row& row) const;   // by the row's status

    // A row whose columns hold the values given in data field order: how a
    // change whose commit went unanswered is looked for.
    UpdateStatement find(const QVector<QVariant>& values) const;

private:
    // Every column compared NULL-safely with the value given (a plain "="
    // never matches an empty column), memos included: a memo that another
    // copy of the program changed must refuse the change, not lose its text.
    QString whereValues(const QVector<QVariant>& values, UpdateStatement& statement) const;

    QString m_table;
    QVector<const Field*> m_columns;   // the data fields, lookups never
};

} // namespace ds
