#include "backup/scratchdatabase.h"

#include "backup/backuppipe.h"
#include "backup/failures.h"
#include "backup/servercopy.h"
#include "core/eerror.h"
#include "fb/service.h"
#include "fb/statement.h"

#include <QRandomGenerator>
#include <QSet>

ScratchDatabase::ScratchDatabase(const fb::Location& live, const QString& folder, const QString& prefix,
                                 const fb::ConnectParams& account)
    : m_location(live.sibling(folder + prefix + u'-' + QString::number(QRandomGenerator::global()->generate64(), 36) +
                              QStringLiteral(".fdb"))),
      m_account(account.at(m_location.text()))
{
}

ScratchDatabase::~ScratchDatabase() { drop(); }

Failure ScratchDatabase::restoreFrom(BackupSource& source, QFileDevice* copy, const QStringList& tables,
                                     const LineReport& report, const QString& sourceReason, bool checking)
{
    Carried carried;
    try {
        m_made = true;   // from here on there may be something to drop
        fb::RestoreStream restore(m_location, m_account);
        carried = carryBackup(source, restore, copy, report);
    } catch (...) {
        carried.failed = Carried::Side::Restore;
        carried.error = std::current_exception();
    }
    if (!carried.succeeded())
        return failures::ofCarrying(carried, sourceReason, checking);
    return check(tables);
}

Failure ScratchDatabase::check(const QStringList& tables)
{
    try {
        fb::Connection c;
        c.connect(m_account);
        QSet<QString> present;
        for (const QVariantList& row : fb::selectRows(c, QStringLiteral("select trim(RDB$RELATION_NAME) from "
                                                                        "RDB$RELATIONS where coalesce(RDB$SYSTEM_FLAG, "
                                                                        "0) = 0")))
            present.insert(row.value(0).toString());
        m_created = servercopy::createdOf(c);
        c.disconnect();
        QStringList missing;
        for (const QString& t : tables)
            if (!present.contains(t))
                missing << t;
        if (!missing.isEmpty())
            return Failure{QStringLiteral(u"O arquivo não é uma cópia de segurança do Marvok: faltam as tabelas %1.")
                               .arg(missing.join(QStringLiteral(", "))),
                           {}};
        return {};
    } catch (const EError& e) {
        return Failure{QStringLiteral(u"O banco de dados restaurado não pôde ser aberto."), e.message()};
    }
}

void ScratchDatabase::drop()
{
    if (!m_made)
        return;
    m_made = false;
    try {
        servercopy::remove(m_location, m_account);
        return;
    } catch (const EError&) {
        // Never made, already gone, or shut down by a restore that failed halfway.
    }
    try {
        fb::bringOnline(m_location, m_account);
        servercopy::remove(m_location, m_account);
    } catch (const EError&) {
    }
}
