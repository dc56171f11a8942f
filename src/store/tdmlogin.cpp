// The user of the data module's connection: the login, which finds the
// program's role she holds, and the change of her own password.

#include "core/clock.h"
#include "fb/fberror.h"
#include "fb/sqlquote.h"
#include "fb/statement.h"
#include "store/accesslog.h"
#include "store/attachmentcheck.h"
#include "store/tdm.h"

namespace {
const QString kWrongLogin = QStringLiteral(u"Usuário ou senha incorretos (ou o usuário foi desativado).");
} // namespace

void Tdm::useAccount(const store::Account& account)
{
    m_account = account;
    ZConnection1.settings.user = account.user;
    ZConnection1.settings.password = account.password;
    ZConnection1.settings.role = account.role;
}

void Tdm::logIn(const QString& typedUser, const QString& password)
{
    const QString user = store::userName(typedUser);
    if (const QString problem = store::userNameProblem(user); !problem.isEmpty())
        throw store::EAccessRefused(problem);
    if (password.isEmpty())
        throw store::EAccessRefused(QStringLiteral(u"Informe a senha."));
    ZConnection1.disconnect();
    // The server gives a role the user does not hold as none at all: an
    // administrator is found at once, a therapist at the second attempt.
    // A refusal that reached the server is kept on this computer until a
    // login succeeds, since there is no connection to record it with.
    const auto refused = [&] {
        useAccount({});
        store::rememberRefusedLogin(m_databaseLocation, user, Clock::now());
    };
    for (const QString& role : {store::kAdministratorRole, store::kTherapistRole}) {
        useAccount({user, password, role});
        try {
            ZConnection1.connect();
            break;
        } catch (const store::ENotInRole&) {
            if (role == store::kTherapistRole) {
                refused();
                throw;
            }
        } catch (const fb::FbError& error) {
            useAccount({});
            if (!error.isLoginRefused())
                throw;
            refused();
            throw store::EAccessRefused(kWrongLogin);
        } catch (...) {
            useAccount({});
            throw;
        }
    }
    recordAccess(store::AccessEvent::LoggedIn);
    ZConnection1.use([&](fb::Connection& c) { store::recordRefusedLogins(c, m_databaseLocation); });
}

void Tdm::changeOwnPassword(const QString& current, const QString& next)
{
    if (current != m_account.password)
        throw store::EAccessRefused(QStringLiteral(u"A senha atual não confere."));
    if (const QString problem = store::passwordProblem(next); !problem.isEmpty())
        throw store::EAccessRefused(problem);
    if (next == current)
        throw store::EAccessRefused(QStringLiteral(u"A nova senha é igual à atual."));
    ZConnection1.use([&](fb::Connection& connection) {
        fb::executeInTransaction(connection, {QStringLiteral("ALTER CURRENT USER SET PASSWORD ") + fb::quoteLiteral(next)},
                                 fb::ParamStyle::Raw);
    });
    store::Account changed = m_account;
    changed.password = next;
    useAccount(changed);
    recordAccess(store::AccessEvent::UsersChanged, 0, QStringLiteral(u"senha própria"));
}

void Tdm::recordAccess(store::AccessEvent event, int patient, const QString& detail)
{
    ZConnection1.use([&](fb::Connection& c) { store::recordAccess(c, event, patient, detail); });
}
