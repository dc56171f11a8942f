#include "dataset/updatesql.h"
#include "dataset/valuecompare.h"

#include <QStringList>

namespace ds {

namespace {
const QString kOldPrefix = QStringLiteral("OLD_");
// A value when the statement found its row, NULL when it found none, and an
// error when it found several: what it touched comes with its own answer,
// where asking for the count would be one more exchange with the server.
const QString kFoundIt = QStringLiteral(" RETURNING 1");
}

UpdateSql::UpdateSql(const DataSet& dataSet, QString table) : m_table(std::move(table))
{
    for (const auto& f : dataSet.fields())
        if (!f->isLookup())
            m_columns.append(f.get());
}

UpdateStatement UpdateSql::insert(const Row& row) const
{
    UpdateStatement s;
    QStringList names, values;
    for (const Field* f : m_columns) {
        names << f->name();
        values << u':' + f->name();
        s.params.append({f->name(), row.values[f->dataIndex()]});
    }
    s.sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(m_table, names.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
    return s;
}

UpdateStatement UpdateSql::modify(const Row& row) const
{
    UpdateStatement s;
    QStringList assignments;
    for (const Field* f : m_columns) {
        const int i = f->dataIndex();
        if (sameValue(f->type(), row.values[i], row.original[i]))
            continue;
        assignments << f->name() + QStringLiteral(" = :") + f->name();
        s.params.append({f->name(), row.values[i]});
    }
    if (assignments.isEmpty())
        return {};
    const QString where = whereValues(row.original, s);
    s.sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(m_table, assignments.join(QStringLiteral(", ")), where) +
            kFoundIt;
    return s;
}

UpdateStatement UpdateSql::remove(const Row& row) const
{
    UpdateStatement s;
    const QString where = whereValues(row.original, s);
    s.sql = QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_table, where) + kFoundIt;
    return s;
}

UpdateStatement UpdateSql::statementFor(const Row& row) const
{
    switch (row.status) {
    case RowStatus::Inserted: return insert(row);
    case RowStatus::Modified: return modify(row);
    case RowStatus::Deleted: return remove(row);
    default: return {};
    }
}

UpdateStatement UpdateSql::find(const QVector<QVariant>& values) const
{
    UpdateStatement s;
    const QString where = whereValues(values, s);
    s.sql = QStringLiteral("SELECT 1 FROM %1 WHERE %2").arg(m_table, where);
    return s;
}

QString UpdateSql::whereValues(const QVector<QVariant>& values, UpdateStatement& statement) const
{
    QStringList conditions;
    for (const Field* f : m_columns) {
        const QString param = kOldPrefix + f->name();
        conditions << f->name() + QStringLiteral(" IS NOT DISTINCT FROM :") + param;
        statement.params.append({param, values[f->dataIndex()]});
    }
    return conditions.join(QStringLiteral(" AND "));
}

} // namespace ds
