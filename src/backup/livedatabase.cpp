#include "backup/livedatabase.h"

#include "fb/statement.h"
#include "fb/transaction.h"
#include "backup/scratchdatabase.h"
#include "store/tdm.h"

QString LiveDatabase::folder() const { return m_dm.programFolder(); }

QString LiveDatabase::file() const { return m_dm.databaseFile(); }

fb::ConnectParams LiveDatabase::settings() const { return m_dm.ZConnection1.settings; }

QStringList LiveDatabase::recordTables() const
{
    QStringList tables;
    for (ds::SqlDataSet* d : m_dm.recordDataSets())
        if (!tables.contains(d->tableName()))
            tables << d->tableName();
    return tables;
}

namespace {

QVariant scalar(fb::Connection& connection, const QString& sql)
{
    fb::Transaction tx(connection, fb::TransactionOptions{true});
    fb::Statement st(tx, sql);
    st.execute();
    const QVariant value = st.fetch() ? st.value(0) : QVariant();
    st.closeCursor();
    tx.commit();
    return value;
}

void postIfEditing(ds::SqlDataSet* d)
{
    if (d->isEditing())
        d->post();
}

} // namespace

void LiveDatabase::saveEdits()
{
    // The patient list closes first, then the connection closes the details
    // in its own order; the reference lists last.
    postIfEditing(&m_dm.qryPaciente);
    for (ds::SqlDataSet* d : m_dm.closingOrder())
        postIfEditing(d);
    for (ds::SqlDataSet* d : m_dm.referenceLists())
        postIfEditing(d);
}

void LiveDatabase::close(bool referenceLists)
{
    m_dm.qryPaciente.close();
    if (referenceLists)
        for (ds::SqlDataSet* d : m_dm.referenceLists())
            d->close();
    m_dm.ZConnection1.disconnect();
}

void LiveDatabase::open()
{
    m_dm.ZConnection1.connect();
    m_dm.qryPaciente.open();
}

std::exception_ptr LiveDatabase::tryOpen()
{
    try {
        open();
    } catch (...) {
        return std::current_exception();
    }
    return {};
}

int LiveDatabase::otherAttachments()
{
    if (!m_dm.ZConnection1.connected())
        return 0;
    const QVariant own = scalar(m_dm.ZConnection1.handle(), QStringLiteral("select CURRENT_CONNECTION from RDB$DATABASE"));
    // A user sees only her own attachments, unless she looks under the
    // server's administration role, which the program's administrators hold.
    fb::ConnectParams p = settings();
    p.role = store::kServerAdminRole;
    fb::Connection watcher;
    watcher.connect(p);
    return scalar(watcher, QStringLiteral("select count(*) from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> "
                                          "CURRENT_CONNECTION and MON$ATTACHMENT_ID <> %1 and MON$SYSTEM_FLAG = 0")
                               .arg(own.toLongLong()))
        .toInt();
}

QDateTime LiveDatabase::created() { return ScratchDatabase::creationOf(m_dm.ZConnection1.handle()); }
