#include "store/useradmin.h"

#include "fb/connection.h"
#include "fb/fberror.h"
#include "fb/sqlquote.h"
#include "fb/statement.h"
#include "store/accesslog.h"
#include "store/attachmentcheck.h"

#include <QThread>

namespace store {

namespace {

// The program's users: those with one of its roles in this database; the
// parameters: the administrators' role, then the program's two roles.
const QString kUsers = QStringLiteral(
    "select U.SEC$USER_NAME, U.SEC$ACTIVE,\n"
    "  max(iif(P.RDB$RELATION_NAME = ?, 1, 0))\n"
    "from SEC$USERS U\n"
    "join RDB$USER_PRIVILEGES P on P.RDB$USER = U.SEC$USER_NAME and P.RDB$USER_TYPE = 8\n"
    "  and P.RDB$PRIVILEGE = 'M' and P.RDB$RELATION_NAME in (?, ?)\n"
    "group by U.SEC$USER_NAME, U.SEC$ACTIVE\n"
    "order by 1");

// The roles a user holds here that the program gives, with who gave them;
// the parameters: the user, then the roles.
const QString kGrantedRoles = QStringLiteral(
    "select RDB$RELATION_NAME, RDB$GRANTOR from RDB$USER_PRIVILEGES\n"
    "where RDB$USER = ? and RDB$USER_TYPE = 8 and RDB$PRIVILEGE = 'M'\n"
    "  and RDB$RELATION_NAME in (?, ?, ?)");

const QString kUserExists = QStringLiteral("select count(*) from SEC$USERS where SEC$USER_NAME = ?");

QList<QVariantList> grantedRoles(fb::Connection& connection, const QString& name)
{
    return fb::selectRows(connection, kGrantedRoles, {name, kTherapistRole, kAdministratorRole, kServerAdminRole},
                          fb::ParamStyle::Raw);
}

QString user(const QString& name) { return QStringLiteral("USER ") + fb::quoteIdentifier(name); }

void refuseIf(const QString& problem)
{
    if (!problem.isEmpty())
        throw EAccessRefused(problem);
}

} // namespace

UserAdmin::UserAdmin(const QString& location, const Account& administrator)
    : m_own(std::make_unique<fb::Connection>()), m_connection(*m_own)
{
    m_connection.connect(serverAdministration(administrator).at(location));
    const AttachmentFacts facts = attachmentFacts(m_connection);
    // New passwords travel in these statements.
    requireEncryption(facts, location);
    if (facts.role != kServerAdminRole)
        throw EAccessRefused(QStringLiteral(u"O usuário %1 não tem o direito de administrar os usuários neste "
                                            u"banco de dados.")
                                 .arg(administrator.user));
    m_self = facts.user;
}

UserAdmin::UserAdmin(fb::Connection& connection) : m_connection(connection) {}

UserAdmin::~UserAdmin() = default;

QList<UserEntry> UserAdmin::users()
{
    QList<UserEntry> out;
    const QVariantList roles{kAdministratorRole, kTherapistRole, kAdministratorRole};
    for (const QVariantList& row : fb::selectRows(m_connection, kUsers, roles, fb::ParamStyle::Raw))
        out.append({row[0].toString().trimmed(), row[2].toInt() ? UserRole::Administrator : UserRole::Therapist,
                    row[1].toBool()});
    return out;
}

bool UserAdmin::exists(const QString& name) { return fb::selectValue(m_connection, kUserExists, {name}, fb::ParamStyle::Raw).toInt() > 0; }

void UserAdmin::create(const QString& name, const QString& password, UserRole role)
{
    refuseIf(userNameProblem(name));
    refuseIf(passwordProblem(password));
    if (exists(name))
        throw EAccessRefused(QStringLiteral(u"Já existe um usuário %1 no servidor do banco de dados.").arg(name));
    // One transaction: the user and her role come together or not at all.
    QStringList statements;
    grantRole(statements, name, role);
    statements << QStringLiteral("CREATE ") + user(name) + QStringLiteral(" PASSWORD ") + fb::quoteLiteral(password) +
                      (role == UserRole::Administrator ? QStringLiteral(" GRANT ADMIN ROLE") : QString());
    runAll(statements);
    recordAccess(m_connection, AccessEvent::UsersChanged, 0, QStringLiteral("novo usuário ") + name);
}

void UserAdmin::admit(const QString& name, UserRole role)
{
    refuseIf(userNameProblem(name));
    if (!exists(name))
        throw EAccessRefused(QStringLiteral(u"O servidor não tem o usuário %1.").arg(name));
    setRole(name, role);
}

void UserAdmin::setPassword(const QString& name, const QString& password)
{
    refuseIf(passwordProblem(password));
    requireProgramUser(name);
    runAll({QStringLiteral("ALTER ") + user(name) + QStringLiteral(" PASSWORD ") + fb::quoteLiteral(password)});
    recordAccess(m_connection, AccessEvent::UsersChanged, 0, QStringLiteral("nova senha de ") + name);
}

void UserAdmin::setActive(const QString& name, bool active)
{
    requireProgramUser(name);
    if (!active)
        refuseSelf(name, QStringLiteral(u"Você não pode desativar o seu próprio usuário."));
    runAll({QStringLiteral("ALTER ") + user(name) + (active ? QStringLiteral(" ACTIVE") : QStringLiteral(" INACTIVE"))});
    recordAccess(m_connection, AccessEvent::UsersChanged, 0, (active ? QStringLiteral("ativado ") : QStringLiteral("desativado ")) + name);
}

void UserAdmin::setRole(const QString& name, UserRole role)
{
    refuseIf(userNameProblem(name));
    if (role == UserRole::Therapist)
        refuseSelf(name, QStringLiteral(u"O seu próprio usuário não pode deixar de ser administrador: peça "
                                        u"isso a outro administrador."));
    QStringList statements;
    revokeRoles(statements, name);
    grantRole(statements, name, role);
    statements << QStringLiteral("ALTER ") + user(name) +
                      (role == UserRole::Administrator ? QStringLiteral(" GRANT ADMIN ROLE")
                                                       : QStringLiteral(" REVOKE ADMIN ROLE"));
    runAll(statements);
    recordAccess(m_connection, AccessEvent::UsersChanged, 0, QStringLiteral("papel de ") + name);
}

void UserAdmin::requireProgramUser(const QString& name)
{
    refuseIf(userNameProblem(name));
    for (const QVariantList& row : grantedRoles(m_connection, name))
        if (row[0].toString().trimmed() != kServerAdminRole)
            return;
    throw EAccessRefused(QStringLiteral(u"%1 não é um usuário do Marvok neste banco de dados.").arg(name));
}

const QString& UserAdmin::self()
{
    if (m_self.isEmpty())
        m_self = fb::selectValue(m_connection, QStringLiteral("select CURRENT_USER from RDB$DATABASE")).toString().trimmed();
    return m_self;
}

void UserAdmin::refuseSelf(const QString& name, const QString& message)
{
    if (self() == name)
        throw EAccessRefused(message);
}

void UserAdmin::grantRole(QStringList& statements, const QString& name, UserRole role)
{
    if (role == UserRole::Administrator)
        statements << QStringLiteral("GRANT %1 TO ").arg(kAdministratorRole) + user(name)
                   << QStringLiteral("GRANT %1 TO ").arg(kServerAdminRole) + user(name);
    else
        statements << QStringLiteral("GRANT %1 TO ").arg(kTherapistRole) + user(name);
}

void UserAdmin::revokeRoles(QStringList& statements, const QString& name)
{
    // Another administrator, or the set-up, may have given them.
    for (const QVariantList& row : grantedRoles(m_connection, name))
        statements << QStringLiteral("REVOKE %1 FROM ").arg(row[0].toString().trimmed()) + user(name) +
                          QStringLiteral(" GRANTED BY ") + fb::quoteIdentifier(row[1].toString().trimmed());
}

void changeServerUsers(fb::Connection& connection, const QStringList& statements)
{
    constexpr int kAttempts = 8;
    for (int attempt = 1;; ++attempt) {
        try {
            fb::executeInTransaction(connection, statements, fb::ParamStyle::Raw);
            return;
        } catch (const fb::FbError& error) {
            if (!error.isLockConflict() || attempt >= kAttempts)
                throw;
            QThread::msleep(50 * attempt);
        }
    }
}

void UserAdmin::runAll(const QStringList& statements)
{
    try {
        changeServerUsers(m_connection, statements);
    } catch (const fb::FbError& error) {
        if (error.isConnectionFailure())
            throw;
        throw EAccessRefused(QStringLiteral(u"O servidor recusou a alteração dos usuários.\r\rMensagem do "
                                            u"Banco de Dados:\r") +
                             error.message());
    }
}

} // namespace store
