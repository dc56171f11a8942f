// Writing the access log through the database's procedure, and the refused
// logins kept on this computer until a login succeeds.

#include "store/accesslog.h"

#include "fb/connection.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "platform/settings.h"

#include <QSettings>

namespace store {

namespace {

const QString kRefusedKey = QStringLiteral("login/refused");

// Each kept refusal as "database\ttried name\tISO time".
QStringList keptRefusals() { return platform::settings()->value(kRefusedKey).toStringList(); }

void keepRefusals(const QStringList& refusals)
{
    const auto s = platform::settings();
    if (refusals.isEmpty())
        s->remove(kRefusedKey);
    else
        s->setValue(kRefusedKey, refusals);
}

} // namespace

QString accessEventName(AccessEvent event)
{
    switch (event) {
    case AccessEvent::LoggedIn: return QStringLiteral("LOGIN");
    case AccessEvent::LoginRefused: return QStringLiteral("LOGIN_RECUSADO");
    case AccessEvent::UsersChanged: return QStringLiteral("USUARIOS");
    case AccessEvent::RecordShown: return QStringLiteral("PRONTUARIO");
    case AccessEvent::ReportHandedOut: return QStringLiteral("RELATORIO");
    case AccessEvent::RecordExported: return QStringLiteral("EXPORTACAO");
    case AccessEvent::BackedUp: return QStringLiteral("BACKUP");
    case AccessEvent::Restored: return QStringLiteral("RESTAURACAO");
    }
    return {};
}

void recordAccess(fb::Connection& connection, AccessEvent event, int patient, const QString& detail)
{
    // Once or a few times a session: run without a prepare of its own.
    fb::Transaction tx(connection);
    fb::executeImmediate(tx, QStringLiteral("EXECUTE PROCEDURE REGISTRAR_ACESSO(?, ?, ?)"),
                         {accessEventName(event), patient > 0 ? QVariant(patient) : QVariant(),
                          detail.isEmpty() ? QVariant() : QVariant(detail.left(200))});
    tx.commit();
}

void rememberRefusedLogin(const QString& database, const QString& triedUser, const QDateTime& when)
{
    QStringList refusals = keptRefusals();
    refusals << database + u'\t' + triedUser + u'\t' + when.toString(Qt::ISODate);
    keepRefusals(refusals);
}

void recordRefusedLogins(fb::Connection& connection, const QString& database)
{
    QStringList others;
    const QStringList refusals = keptRefusals();
    for (const QString& refusal : refusals) {
        const QStringList parts = refusal.split(u'\t');
        if (parts.size() != 3 || parts[0] != database) {
            others << refusal;
            continue;
        }
        const QDateTime when = QDateTime::fromString(parts[2], Qt::ISODate);
        recordAccess(connection, AccessEvent::LoginRefused, 0,
                     QStringLiteral(u"usuário tentado: %1, em %2 (neste computador)")
                         .arg(parts[1], when.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))));
    }
    if (others.size() != refusals.size())
        keepRefusals(others);
}

} // namespace store
