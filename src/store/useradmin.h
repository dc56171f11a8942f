#pragma once
// The program's users in a database: who they are, their role, whether they
// may log in; creating them, new passwords, deactivating, changing roles.
// Users live in the server's security database, their roles in this
// database. It works on an attachment with the right to manage users: an
// administrator's under the server's administration role (the "Usuários"
// window) or the server's administrator's (the set-up, for the first one).
// Names and passwords reach the server as parameters where the server
// takes them, and otherwise as quoted names and texts.

#include "store/account.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace fb {
class Connection;
}

namespace store {

enum class UserRole { Therapist, Administrator };

struct UserEntry {
    QString name;
    UserRole role = UserRole::Therapist;
    bool active = true;
    bool operator==(const UserEntry&) const = default;
};

// Runs statements that change the server's users in a transaction of their
// own, on an attachment that may manage users. The server's users are one
// table for every database and administrator: two changes at one moment meet
// there, and the later one tries again a few times. Raises the server's error.
void changeServerUsers(fb::Connection& connection, const QStringList& statements);

class UserAdmin {
public:
    // An attachment of its own to the database at location, with the
    // administrator's account under the server's administration role.
    UserAdmin(const QString& location, const Account& administrator);
    // On an attachment that may manage users (the set-up's).
    explicit UserAdmin(fb::Connection& connection);
    ~UserAdmin();
    UserAdmin(const UserAdmin&) = delete;
    UserAdmin& operator=(const UserAdmin&) = delete;

    // The users with one of the program's roles in this database, by name.
    QList<UserEntry> users();
    // A new user with that role. Raises EAccessRefused for a name or
    // password that cannot be used or a name the server has already.
    void create(const QString& name, const QString& password, UserRole role);
    // Gives an existing server user the role in this database, her password
    // unchanged (the set-up's first administrator may exist already).
    void admit(const QString& name, UserRole role);
    void setPassword(const QString& name, const QString& password);
    // A deactivated user cannot log in until she is activated again.
    void setActive(const QString& name, bool active);
    void setRole(const QString& name, UserRole role);
    // Whether the server has a user of that name (of this program or not).
    bool exists(const QString& name);

private:
    void runAll(const QStringList& statements);
    // Raises EAccessRefused unless the user holds one of the program's roles here.
    void requireProgramUser(const QString& name);
    // Raises EAccessRefused with the message when the name is the attachment's own user.
    void refuseSelf(const QString& name, const QString& message);
    // The attachment's own user.
    const QString& self();
    void grantRole(QStringList& statements, const QString& name, UserRole role);
    void revokeRoles(QStringList& statements, const QString& name);

    std::unique_ptr<fb::Connection> m_own;
    fb::Connection& m_connection;
    QString m_self;
};

} // namespace store
