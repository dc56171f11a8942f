#include "backup/scratchdatabase.h"

#include "backup/backupwork.h"
#include "core/eerror.h"
#include "fb/statement.h"
#include "fb/transaction.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>

ScratchDatabase::ScratchDatabase(const QString& folder, const QString& prefix, fb::ConnectParams settings)
    : m_settings(std::move(settings))
{
    do {
        m_path = folder + prefix + u'-' + QString::number(QRandomGenerator::global()->generate(), 36) +
                 QStringLiteral(".fdb");
    } while (QFile::exists(m_path));
}

ScratchDatabase::~ScratchDatabase() { drop(); }

fb::ConnectParams ScratchDatabase::params() const
{
    fb::ConnectParams p = m_settings;
    p.database = QStringLiteral("localhost:") + m_path;
    return p;
}

QDateTime ScratchDatabase::creationOf(fb::Connection& connection)
{
    fb::Transaction tx(connection, fb::TransactionOptions{true});
    fb::Statement st(tx, QStringLiteral("select MON$CREATION_DATE from MON$DATABASE"));
    st.execute();
    const QDateTime created = st.fetch() ? st.value(0).toDateTime() : QDateTime();
    st.closeCursor();
    tx.commit();
    return created;
}

QString ScratchDatabase::restoreFrom(const QString& backupFile, const Gbak& gbak, BackupWork& work,
                                     const QString& stepText, const QStringList& tables)
{
    const GbakRun restore = work.run(gbak, Gbak::restoreArguments(backupFile, m_path), stepText);
    return restore.succeeded() ? check(tables) : restore.failureText();
}

QString ScratchDatabase::check(const QStringList& tables)
{
    try {
        fb::Connection c;
        c.connect(params());
        QSet<QString> present;
        {
            fb::Transaction tx(c, fb::TransactionOptions{true});
            fb::Statement st(tx, QStringLiteral("select trim(RDB$RELATION_NAME) from RDB$RELATIONS "
                                                "where coalesce(RDB$SYSTEM_FLAG, 0) = 0"));
            st.execute();
            while (st.fetch())
                present.insert(st.value(0).toString());
            st.closeCursor();
            tx.commit();
        }
        m_created = creationOf(c);
        c.disconnect();
        QStringList missing;
        for (const QString& t : tables)
            if (!present.contains(t))
                missing << t;
        if (!missing.isEmpty())
            return QStringLiteral(u"O arquivo não é uma cópia de segurança do Marvok: faltam as tabelas %1.")
                .arg(missing.join(QStringLiteral(", ")));
        return {};
    } catch (const EError& e) {
        return QStringLiteral(u"O banco de dados restaurado não pôde ser aberto: ") + e.message();
    }
}

void ScratchDatabase::drop()
{
    if (m_path.isEmpty() || !QFile::exists(m_path)) {
        m_path.clear();
        return;
    }
    try {
        fb::Connection c;
        c.connect(params());
        c.dropDatabase();
    } catch (const EError&) {
        // What the server cannot open, it does not hold open either.
        QFile::remove(m_path);
    }
    m_path.clear();
}
