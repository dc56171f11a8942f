#include "dataset/sqldataset.h"
#include "dataset/connection.h"
#include "dataset/dberror.h"
#include "dataset/updatesql.h"
#include "fb/fberror.h"
#include "fb/sqlparams.h"
#include "fb/statement.h"
#include "fb/transaction.h"

#include <QRegularExpression>
#include <memory>

namespace ds {

namespace {

struct Refusal {
    RowPtr row;
    UpdateKind kind;
    std::shared_ptr<const EError> error;
};

UpdateKind kindOf(const Row& row)
{
    switch (row.status) {
    case RowStatus::Inserted: return UpdateKind::Insert;
    case RowStatus::Deleted: return UpdateKind::Delete;
    default: return UpdateKind::Modify;
    }
}

std::shared_ptr<const EError> refusalOf(quint64 affected)
{
    if (affected == 0)
        return std::make_shared<EDatabaseError>(QStringLiteral("Record not found or changed by another user"));
    if (affected > 1)
        return std::make_shared<EDatabaseError>(QStringLiteral("Update affected more than 1 record."));
    return nullptr;
}

FieldType fieldTypeOf(const fb::Column& c)
{
    switch (c.type) {
    case fb::ColumnType::Integer:
    case fb::ColumnType::BigInt:
    case fb::ColumnType::Boolean:
        return FieldType::Integer;
    case fb::ColumnType::Double:
        return FieldType::Float;
    case fb::ColumnType::Date:
        return FieldType::Date;
    case fb::ColumnType::Time:
        return FieldType::Time;
    case fb::ColumnType::Timestamp:
        return FieldType::DateTime;
    case fb::ColumnType::TextBlob:
    case fb::ColumnType::Blob:
        return FieldType::Memo;
    default:
        return FieldType::Text;
    }
}
// The names under which the columns of a result are read: a name that
// stands more than once gets "_1", "_2" ... from its second occurrence on,
// so that a join of two rows of one table (father and mother) keeps both.
QStringList uniqueColumnNames(const QVector<fb::Column>& columns)
{
    QStringList names;
    for (const fb::Column& c : columns) {
        QString name = c.name;
        for (int n = 1; names.contains(name, Qt::CaseInsensitive); ++n)
            name = c.name + u'_' + QString::number(n);
        names << name;
    }
    return names;
}
} // namespace

SqlDataSet::SqlDataSet(QString name, Connection* connection, QString sql)
    : DataSet(std::move(name)), m_connection(connection)
{
    setSql(sql);
}

void SqlDataSet::setSql(const QString& sql)
{
    if (isActive())
        throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on an open dataset").arg(name()));
    m_sql = sql;
    std::deque<Param> params;
    for (const QString& n : fb::parseNamedParams(sql).names) {
        bool known = false;
        for (const Param& p : params)
            known = known || p.name() == n;
        if (!known)
            params.emplace_back(n);
    }
    // Values of parameters that keep their name survive a new text.
    for (Param& p : params)
        if (Param* old = findParam(p.name()))
            p.setValue(old->value());
    m_params = std::move(params);
}

Param* SqlDataSet::findParam(const QString& name)
{
    for (Param& p : m_params)
        if (p.name().compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

Param& SqlDataSet::paramByName(const QString& name)
{
    if (Param* p = findParam(name))
        return *p;
    throw EDatabaseError(QStringLiteral("%1: Parameter '%2' not found").arg(this->name(), name));
}

QString SqlDataSet::tableName() const
{
    static const QRegularExpression from(QStringLiteral("\\bfrom\\s+([A-Za-z_][A-Za-z0-9_$]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = from.match(m_sql);
    return m.hasMatch() ? m.captured(1).toUpper() : QString();
}

void SqlDataSet::doOpen()
{
    m_connection->connect();
    // A snapshot: a read-committed reader keeps nothing alive, so the memo of
    // a row another copy of the program changes while the rows are fetched
    // could be gone ("BLOB not found") before it is read.
    fb::Transaction tx(m_connection->handle(), fb::TransactionOptions{true, true});
    fb::Statement st(tx, m_sql);
    for (const Param& p : m_params)
        st.setParam(p.name(), p.value());
    st.execute();

    const QVector<fb::Column>& columns = st.columns();
    const QStringList names = uniqueColumnNames(columns);
    if (fields().empty()) {
        // No declared fields: the data set presents the statement's columns.
        for (int i = 0; i < columns.size(); ++i)
            addField(names[i], fieldTypeOf(columns[i]), columns[i].length, !columns[i].nullable);
    }
    // Each data field reads the column of its name.
    QVector<int> source(dataFieldCount(), -1);
    for (const auto& f : fields()) {
        if (f->isLookup())
            continue;
        for (int i = 0; i < columns.size(); ++i) {
            if (names[i].compare(f->name(), Qt::CaseInsensitive) == 0) {
                source[f->dataIndex()] = i;
                break;
            }
        }
        if (source[f->dataIndex()] < 0)
            throw EDatabaseError(QStringLiteral("%1: Field '%2' not found").arg(name(), f->name()));
    }
    std::vector<RowPtr>& rows = mutableRows();
    QVector<FieldType> types(dataFieldCount());
    for (const auto& f : fields())
        if (!f->isLookup())
            types[f->dataIndex()] = f->type();
    while (st.fetch()) {
        QVector<QVariant> values(dataFieldCount());
        const QVector<QVariant>& r = st.row();
        for (int i = 0; i < values.size(); ++i)
            values[i] = coerceValue(types[i], r[source[i]]);
        rows.push_back(makeRow(std::move(values), RowStatus::Unmodified));
    }
    tx.commit();
}

void SqlDataSet::applyUpdates()
{
    const std::vector<RowPtr> changes = pendingChanges();
    if (changes.empty())
        return;
    m_connection->connect();
    const UpdateSql writer(*this, tableName());
    std::vector<Refusal> refused;
    {
        fb::Transaction tx(m_connection->handle());
        for (const RowPtr& row : changes) {
            const UpdateStatement s = writer.statementFor(*row);
            if (s.sql.isEmpty())
                continue;   // posted without a changed value
            try {
                fb::Statement st(tx, s.sql);
                for (const auto& [param, value] : s.params)
                    st.setParam(param, value);
                st.execute();
                if (auto error = refusalOf(st.affectedRecords()))
                    refused.push_back({row, kindOf(*row), std::move(error)});
            } catch (const fb::FbError& e) {
                if (e.isConnectionFailure())
                    throw;
                refused.push_back({row, kindOf(*row), std::make_shared<fb::FbError>(e)});
            }
        }
        if (refused.empty())
            tx.commit();
        else
            tx.rollback();
    }
    if (refused.empty()) {
        for (const RowPtr& row : changes)
            acceptChange(row);
        return;
    }
    for (const Refusal& r : refused) {
        if (!onReconcileError)
            throw EDatabaseError(r.error->message());
        const ReconcileAction action = onReconcileError(*this, *r.error, r.kind, *r.row);
        if (action == ReconcileAction::Cancel)
            revertChange(r.row);
        else if (action == ReconcileAction::Abort)
            break;
    }
}

} // namespace ds
