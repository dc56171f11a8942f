#include "support/testusers.h"

#include "fb/connection.h"
#include "fb/sqlquote.h"
#include "fb/statement.h"
#include "store/useradmin.h"
#include "support/testaccount.h"
#include "support/testdatabase.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>

namespace testusers {

namespace {

const QString kPrefix = QStringLiteral("MVKTEST_");

// Runs a user statement; the other test programs change the server's users
// at the same time, and a change that meets theirs tries again.
void run(const QString& location, const QString& sql)
{
    fb::Connection c;
    c.connect(serverAdministrator(location));
    store::changeServerUsers(c, {sql});
}

// The run's two users: their names and passwords, fixed at first use.
const store::Account& runAccount(bool administrator)
{
    static const store::Account therapist{uniqueName(QStringLiteral("T")), randomPassword(), store::kTherapistRole};
    static const store::Account admin{uniqueName(QStringLiteral("A")), randomPassword(), store::kAdministratorRole};
    return administrator ? admin : therapist;
}

// Where the run's users were made, through which they are dropped at the end.
QString& runUsersLocation()
{
    static QString location;
    return location;
}

void dropRunUsers()
{
    for (bool administrator : {false, true}) {
        try {
            dropUser(runUsersLocation(), runAccount(administrator).user);
        } catch (...) {
        }
    }
}

// Users that runs killed before their end left behind: their process is gone.
void dropLeftovers(const QString& location)
{
    fb::Connection c;
    c.connect(serverAdministrator(location));
    QStringList stale;
    for (const QVariantList& row :
         fb::selectRows(c, QStringLiteral("select SEC$USER_NAME from SEC$USERS where SEC$USER_NAME starting with ?"),
                        {kPrefix}, fb::ParamStyle::Raw)) {
        const QString name = row.value(0).toString().trimmed();
        const QString pid = name.mid(kPrefix.size()).section(u'_', 0, 0);
        if (!QFileInfo::exists(QStringLiteral("/proc/") + pid))
            stale << name;
    }
    for (const QString& name : stale) {
        try {
            dropUser(location, name);
        } catch (...) {
            // Another run dropped it meanwhile.
        }
    }
}

} // namespace

fb::ConnectParams serverAdministrator(const QString& location)
{
    return testAccount().at(location);
}

const store::Account& therapist()
{
    templateLocation();   // makes them
    return runAccount(false);
}

const store::Account& administrator()
{
    templateLocation();
    return runAccount(true);
}

QString randomPassword()
{
    static const QString letters = QStringLiteral("abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789");
    QString out;
    for (int i = 0; i < 16; ++i)
        out += letters[int(QRandomGenerator::system()->bounded(letters.size()))];
    return out;
}

QString uniqueName(const QString& suffix)
{
    return kPrefix + QString::number(QCoreApplication::applicationPid()) + u'_' + suffix;
}

void dropUser(const QString& location, const QString& name)
{
    fb::Connection c;
    c.connect(serverAdministrator(location));
    store::UserAdmin admin(c);
    if (admin.exists(name))
        run(location, QStringLiteral("DROP USER ") + fb::quoteIdentifier(name));
}

void makeRunUsers(const QString& location)
{
    dropLeftovers(location);
    fb::Connection c;
    c.connect(serverAdministrator(location));
    store::UserAdmin admin(c);
    for (bool administrator : {false, true}) {
        const store::Account& a = runAccount(administrator);
        dropUser(location, a.user);   // a killed run of the same number
        admin.create(a.user, a.password, administrator ? store::UserRole::Administrator : store::UserRole::Therapist);
    }
    runUsersLocation() = location;
    // While the program still runs, before its template database goes.
    qAddPostRoutine(dropRunUsers);
}

void admitTestUsers(const QString& location)
{
    fb::Connection c;
    c.connect(serverAdministrator(location));
    store::UserAdmin admin(c);
    admin.admit(therapist().user, store::UserRole::Therapist);
    admin.admit(administrator().user, store::UserRole::Administrator);
}

ScopedUser::ScopedUser(const QString& location, const QString& name, Role role, QString password)
    : m_location(location)
{
    m_account.user = name;
    m_account.password = std::move(password);
    dropUser(location, name);
    if (role == Role::None) {
        run(location, QStringLiteral("CREATE USER ") + fb::quoteIdentifier(name) + QStringLiteral(" PASSWORD ") +
                          fb::quoteLiteral(m_account.password));
        return;
    }
    m_account.role = role == Role::Administrator ? store::kAdministratorRole : store::kTherapistRole;
    fb::Connection c;
    c.connect(serverAdministrator(location));
    store::UserAdmin(c).create(name, m_account.password,
                               role == Role::Administrator ? store::UserRole::Administrator
                                                           : store::UserRole::Therapist);
}

ScopedUser::~ScopedUser()
{
    try {
        dropUser(m_location, m_account.user);
    } catch (...) {
    }
}

} // namespace testusers
