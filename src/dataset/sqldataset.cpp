#include "dataset/sqldataset.h"
#include "core/timeofday.h"
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

// The type a field's values have, so that values read as such need no conversion.
QMetaType storedType(FieldType type)
{
    switch (type) {
    case FieldType::Integer: return QMetaType::fromType<int>();
    case FieldType::Float: return QMetaType::fromType<double>();
    case FieldType::Date: return QMetaType::fromType<QDate>();
    case FieldType::Time: return QMetaType::fromType<TimeOfDay>();
    case FieldType::DateTime: return QMetaType::fromType<QDateTime>();
    case FieldType::Text:
    case FieldType::Memo: return QMetaType::fromType<QString>();
    }
    return {};
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

SqlDataSet::~SqlDataSet() = default;

void SqlDataSet::setSql(const QString& sql)
{
    if (isActive())
        throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on an open dataset").arg(name()));
    m_sql = sql;
    m_select.reset();
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
    m_connection->use([this](fb::Connection& connection) {
        // Rows are read in the attachment's read-committed transaction,
        // their memos with them. A memo too long to come in its row is read
        // afterwards, and a read-committed reader keeps nothing alive: if
        // another copy of the program changed that row meanwhile, the old
        // memo may be gone ("BLOB not found"). A snapshot keeps it, so the
        // rows are read again in one.
        try {
            fetchRows(connection.readTransaction());
        } catch (const fb::FbError& e) {
            if (!e.isMissingBlob())
                throw;
            discardFetchedRows();
            fb::Transaction snapshot(connection, fb::TransactionOptions{true, true});
            fetchRows(snapshot);
            snapshot.commit();
        }
    });
}

void SqlDataSet::fetchRows(fb::Transaction& tx)
{
    if (!m_select || !m_select->isPrepared()) {
        m_select.reset();
        // Declared memos are the statement's text columns; without
        // declared fields the statement finds them itself.
        QStringList memos;
        for (const auto& f : fields())
            if (!f->isLookup() && f->type() == FieldType::Memo)
                memos << f->name();
        m_select = std::make_unique<fb::Statement>(tx, m_sql, fb::ParamStyle::Named, fb::TextBlobs::WithRows, memos);
    }
    fb::Statement& st = *m_select;
    for (const Param& p : m_params)
        st.setParam(p.name(), p.value());
    st.execute(tx);

    const QVector<fb::Column>& columns = st.columns();
    const QStringList names = uniqueColumnNames(columns);
    if (fields().empty()) {
        // No declared fields: the data set presents the statement's columns.
        for (int i = 0; i < columns.size(); ++i)
            addField(names[i], fieldTypeOf(columns[i]), columns[i].length, !columns[i].nullable);
    }
    // Each data field reads the column of its name.
    QVector<int> source(dataFieldCount(), -1);
    QVector<FieldType> types(dataFieldCount());
    QVector<QMetaType> stored(dataFieldCount());
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
        types[f->dataIndex()] = f->type();
        stored[f->dataIndex()] = storedType(f->type());
    }
    resolveOrder();
    const int count = dataFieldCount();
    while (st.fetch()) {
        QVector<QVariant>& fetched = st.takeRow();
        QVector<QVariant> values;
        values.reserve(count);
        for (int i = 0; i < count; ++i) {
            QVariant& v = fetched[source[i]];
            if (v.metaType() == stored[i] || !v.isValid())
                values.append(std::move(v));
            else
                values.append(coerceValue(types[i], v));
        }
        addFetchedRow(std::move(values));
    }
}

void SqlDataSet::doClose()
{
    if (hasPendingChanges() || !m_unconfirmed.empty())
        applyUpdates();
    m_unconfirmed.clear();
}

void SqlDataSet::settleUnconfirmed(fb::Connection& connection)
{
    if (m_unconfirmed.empty())
        return;
    const UpdateSql writer(*this, tableName());
    fb::Transaction& tx = connection.readTransaction();
    while (!m_unconfirmed.empty()) {
        const Unconfirmed& change = m_unconfirmed.front();
        const UpdateStatement find = writer.find(change.sent);
        fb::Statement& st = m_connection->statement(tx, find.sql);
        for (const auto& [param, value] : find.params)
            st.setParam(param, value);
        st.execute(tx);
        const bool found = st.fetch();
        st.closeCursor();
        // Found after an insertion or a change, or gone after a deletion: the
        // commit went through. Otherwise the change is still pending as it
        // stands and goes with this apply.
        if (found != change.deletion) {
            if (change.deletion)
                acceptChange(change.row);
            else
                acceptWritten(change.row, change.sent);
        }
        m_unconfirmed.erase(m_unconfirmed.begin());
    }
}

void SqlDataSet::applyUpdates()
{
    if (!hasPendingChanges() && m_unconfirmed.empty())
        return;
    std::vector<Refusal> refused;
    std::vector<RowPtr> changes;
    m_connection->use(
        [&](fb::Connection& connection) {
            settleUnconfirmed(connection);
            changes = pendingChanges();
            if (changes.empty())
                return;
            const UpdateSql writer(*this, tableName());
            fb::Transaction tx(connection);
            for (const RowPtr& row : changes) {
                const UpdateStatement s = writer.statementFor(*row);
                if (s.sql.isEmpty())
                    continue;   // posted without a changed value
                try {
                    fb::Statement& st = m_connection->statement(tx, s.sql);
                    for (const auto& [param, value] : s.params)
                        st.setParam(param, value);
                    st.execute(tx);
                    // An insertion writes its row or fails; a change or a
                    // deletion returns a value when it found its row, and
                    // fails when it found several.
                    const bool found = row->status == RowStatus::Inserted || !st.value(0).isNull();
                    if (auto error = refusalOf(found ? 1 : 0))
                        refused.push_back({row, kindOf(*row), std::move(error)});
                } catch (const fb::FbError& e) {
                    if (e.isConnectionFailure())
                        throw;
                    refused.push_back({row, kindOf(*row), e.isSeveralRows() ? refusalOf(2)
                                                                            : std::make_shared<fb::FbError>(e)});
                }
            }
            if (!refused.empty()) {
                tx.rollback();
                return;
            }
            try {
                tx.commit();
            } catch (const fb::FbError& e) {
                if (e.isConnectionFailure()) {
                    for (const RowPtr& row : changes) {
                        const bool deletion = row->status == RowStatus::Deleted;
                        m_unconfirmed.push_back({row, deletion, deletion ? row->original : row->values});
                    }
                }
                throw;
            }
        },
        true);
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
