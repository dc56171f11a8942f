#pragma once
// The access log: who opened which patient's record, printed or exported
// what, backed up, restored, logged in or changed the users. Entries are
// written by the database's procedure REGISTRAR_ACESSO, which takes the user
// from the connection; the program cannot name another one.

#include <QDateTime>
#include <QString>

namespace fb {
class Connection;
}

namespace store {

enum class AccessEvent {
    LoggedIn,          // the connection's user logged in
    LoginRefused,      // detail: the name that was tried and when (see recordRefusedLogins)
    UsersChanged,      // detail: what the administrator changed
    RecordShown,       // patient: whose record the window showed
    ReportHandedOut,   // patient; detail: which report, printed or exported
    RecordExported,    // patient: whose whole record went into a file
    BackedUp,          // detail: the file
    Restored,          // detail: the file
};

// The event's name in the log ("LOGIN", "PRONTUARIO", ...).
QString accessEventName(AccessEvent event);

// One entry of the log, in a transaction of its own; patient 0 for none.
// Raises the connection's errors.
void recordAccess(fb::Connection& connection, AccessEvent event, int patient = 0, const QString& detail = {});

// A refused login has no connection to record it with: the program keeps
// it in the user's settings on this computer, with the database it was
// meant for, and the next login there that succeeds records it (the entry
// is that user's, its detail names the name that was tried and the time).
void rememberRefusedLogin(const QString& database, const QString& triedUser, const QDateTime& when);
void recordRefusedLogins(fb::Connection& connection, const QString& database);

} // namespace store
