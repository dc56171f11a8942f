#include "backup/livedatabase.h"

#include "backup/servercopy.h"
#include "fb/service.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "store/account.h"
#include "store/tdm.h"

QString LiveDatabase::file() const { return m_dm.databaseFile(); }

fb::Location LiveDatabase::location() const { return fb::parseLocation(m_dm.databaseLocation()); }

fb::ConnectParams LiveDatabase::account() const
{
    // Backups, restores and the server's copies are the administrators'
    // work, done under the server's administration role they hold here.
    return store::serverAdministration(m_dm.account());
}

QStringList LiveDatabase::recordTables() const
{
    QStringList tables;
    for (ds::SqlDataSet* d : m_dm.recordDataSets())
        if (!tables.contains(d->tableName()))
            tables << d->tableName();
    return tables;
}

QString LiveDatabase::serverFile()
{
    m_dm.ZConnection1.connect();
    return servercopy::fileOf(m_dm.ZConnection1.handle());
}

std::optional<QString> LiveDatabase::serverFileIfThere()
{
    try {
        return serverFile();
    } catch (const EError&) {
        return std::nullopt;
    }
}

void LiveDatabase::restoreForcedWrites(const QString& serverFile)
{
    try {
        if (!servercopy::forcedWritesOf(m_dm.ZConnection1.handle()))
            fb::setForcedWrites(location().sibling(serverFile), account(), true);
    } catch (const EError&) {
    }
}

namespace {

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
    const QVariant own = fb::selectValue(m_dm.ZConnection1.handle(), QStringLiteral("select CURRENT_CONNECTION from RDB$DATABASE"));
    // A user sees only her own attachments, unless she looks under the
    // server's administration role, which the program's administrators hold.
    fb::Connection watcher;
    watcher.connect(account().at(m_dm.databaseLocation()));
    return fb::selectValue(watcher, QStringLiteral("select count(*) from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> "
                                          "CURRENT_CONNECTION and MON$ATTACHMENT_ID <> %1 and MON$SYSTEM_FLAG = 0")
                               .arg(own.toLongLong()))
        .toInt();
}

QDateTime LiveDatabase::created() { return servercopy::createdOf(m_dm.ZConnection1.handle()); }
