#pragma once
// The program's users in the tests. Each test program has a therapist and an
// administrator of its own on the shared server, made at its first database
// with names no other run has and dropped when the program ends; every
// database TestDatabase makes gives them their roles. Only the set-up of
// databases and users uses the server's administrator.

#include "fb/connection.h"
#include "store/account.h"

#include <QString>

namespace testusers {

// The server's administrator: for making databases and users, never for the
// data module.
fb::ConnectParams serverAdministrator(const QString& location);

const store::Account& therapist();
const store::Account& administrator();

// A password of 16 letters and digits, different each time.
QString randomPassword();

// A user of one test, made on the server through the program's own user
// management with the server's administrator on that database, dropped when
// the guard goes. role: the program's role, or none.
class ScopedUser {
public:
    enum class Role { None, Therapist, Administrator };
    ScopedUser(const QString& location, const QString& name, Role role, QString password = randomPassword());
    ~ScopedUser();
    ScopedUser(const ScopedUser&) = delete;
    ScopedUser& operator=(const ScopedUser&) = delete;

    const QString& name() const { return m_account.user; }
    const QString& password() const { return m_account.password; }
    // The account with the role it was given (empty for none).
    const store::Account& account() const { return m_account; }

private:
    QString m_location;
    store::Account m_account;
};

// A name for a user of this run that no other run uses: "MVKTEST_<pid>_" + suffix.
QString uniqueName(const QString& suffix);
// Drops the user if the server has it.
void dropUser(const QString& location, const QString& name);

// Gives the run's two users their roles in a database brought up to the
// program's version after it was made (TestDatabase's copies have them).
void admitTestUsers(const QString& location);
// Called by TestDatabase on the program's template database, once: makes
// the run's two users with their roles there.
void makeRunUsers(const QString& location);

} // namespace testusers
