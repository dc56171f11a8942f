#include "backup/servercopy.h"

#include "core/eerror.h"
#include "fb/service.h"
#include "fb/sqlquote.h"
#include "fb/statement.h"

namespace servercopy {

namespace {

// Leaves a database's pages to the system while it lives, when the server
// wrote them to the disk at once, and gives the database its forced writes
// back on every way out.
class WritesLeftToSystem {
public:
    WritesLeftToSystem(const fb::Location& database, const fb::ConnectParams& account, bool forced)
        : m_database(database), m_account(account), m_pending(forced)
    {
        if (m_pending)
            fb::setForcedWrites(m_database, m_account, false);
    }
    ~WritesLeftToSystem()
    {
        try {
            end();
        } catch (...) {
            // Leaving on an error already: that error is the one to tell.
        }
    }
    WritesLeftToSystem(const WritesLeftToSystem&) = delete;
    WritesLeftToSystem& operator=(const WritesLeftToSystem&) = delete;

    // Gives them back now; raises the server's error.
    void end()
    {
        if (!m_pending)
            return;
        m_pending = false;
        fb::setForcedWrites(m_database, m_account, true);
    }

private:
    fb::Location m_database;
    fb::ConnectParams m_account;
    bool m_pending;
};

} // namespace

QString fileOf(fb::Connection& connection)
{
    return fb::selectValue(connection, QStringLiteral("select MON$DATABASE_NAME from MON$DATABASE")).toString().trimmed();
}

bool forcedWritesOf(fb::Connection& connection)
{
    return fb::selectValue(connection, QStringLiteral("select MON$FORCED_WRITES from MON$DATABASE")).toInt() != 0;
}

QDateTime createdOf(fb::Connection& connection)
{
    return fb::selectValue(connection, QStringLiteral("select MON$CREATION_DATE from MON$DATABASE")).toDateTime();
}

QDateTime createdOf(const fb::Location& database, const fb::ConnectParams& account)
{
    fb::Connection c;
    c.connect(account.at(database.text()));
    const QDateTime created = createdOf(c);
    c.disconnect();
    return created;
}

void copy(const fb::Location& from, const QString& to, const fb::ConnectParams& account)
{
    fb::Connection c;
    c.connect(account.at(from.text()));
    const QDateTime created = createdOf(c);
    const bool forced = forcedWritesOf(c);
    const int shadow =
        fb::selectValue(c, QStringLiteral("select coalesce(max(RDB$SHADOW_NUMBER), 0) + 1 from RDB$FILES")).toInt();
    const QString number = QString::number(shadow);
    // Written page by page to the disk, a copy takes minutes; left to the
    // system, seconds. The server has the system write the copy to the disk
    // as a whole when it closes it the first time (below), before anything
    // relies on it; the database copied gets its forced writes back at once.
    WritesLeftToSystem writes(from, account, forced);
    // The server writes every page into the shadow's file when the statement
    // is committed, and keeps it up to date until it is dropped.
    fb::executeInTransaction(c, {QStringLiteral("CREATE SHADOW ") + number + u' ' + fb::quoteLiteral(to)},
                             fb::ParamStyle::Raw);
    try {
        fb::executeInTransaction(c, {QStringLiteral("DROP SHADOW ") + number + QStringLiteral(" PRESERVE FILE")},
                                 fb::ParamStyle::Raw);
    } catch (...) {
        try {
            // And its file with it.
            fb::executeInTransaction(c, {QStringLiteral("DROP SHADOW ") + number}, fb::ParamStyle::Raw);
        } catch (...) {
        }
        throw;
    }
    c.disconnect();
    writes.end();

    const fb::Location copied = from.sibling(to);
    try {
        fb::activateDatabase(copied, account);
        // Opened and closed while the system still holds its pages: closing
        // it writes them to the disk.
        if (createdOf(copied, account) != created)
            throw EError(QStringLiteral(u"A cópia feita pelo servidor não é a do banco de dados copiado."));
        if (forced)
            fb::setForcedWrites(copied, account, true);
    } catch (...) {
        try {
            remove(copied, account);
        } catch (...) {
        }
        throw;
    }
}

void remove(const fb::Location& database, const fb::ConnectParams& account)
{
    fb::Connection c;
    c.connect(account.at(database.text()));
    c.dropDatabase();
}

} // namespace servercopy
