#pragma once
// The one place where logins, refused logins and changes of users are to be
// recorded. Nothing is recorded yet: every such event already passes here.

#include <QString>

namespace store {

enum class AccessEvent {
    LoggedIn,       // user: who logged in
    LoginRefused,   // user: the name that was tried
    UsersChanged,   // user: the administrator; detail: what she changed
};

void recordAccess(AccessEvent event, const QString& user, const QString& detail = {});

} // namespace store
