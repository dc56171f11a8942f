#pragma once
// Who works in the program: each professional logs in with a server user
// of her own and works under one of the program's two roles, which hold
// the rights on the record. The program keeps no account of its own.

#include "core/eerror.h"
#include "fb/connection.h"

#include <QString>

namespace store {

// Reads and writes the record and the reference tables.
inline const QString kTherapistRole = QStringLiteral("MARVOK_TERAPEUTA");
// The same rights on the record; she also manages users, backs up and
// restores, which she does under the server's own administration role.
inline const QString kAdministratorRole = QStringLiteral("MARVOK_ADMIN");
// The server's role for managing users and for backups, held in the
// database by the program's administrators and used for nothing else.
inline const QString kServerAdminRole = QStringLiteral("RDB$ADMIN");
// The server's own administrator, who never works in the program.
inline const QString kServerAdministrator = QStringLiteral("SYSDBA");

struct Account {
    QString user;       // as the server keeps it (see userName)
    QString password;
    QString role;       // kAdministratorRole or kTherapistRole; empty until known

    bool isAdministrator() const { return role == kAdministratorRole; }
};

// An administrator's own account under the server's administration role,
// with which she manages users, backs up and restores; the database is the
// caller's to set.
fb::ConnectParams serverAdministration(const Account& administrator);

// The user's name as the server keeps it: the typed name without blanks
// around it, in capitals (accents kept), so that "ana" and "Ana" are one
// user. Blanks, quotes and any other character stay as typed.
QString userName(const QString& typed);
// Why a user's name cannot be used, in Portuguese; empty when it can.
QString userNameProblem(const QString& name);
// Why a new password cannot be used, in Portuguese; empty when it can.
QString passwordProblem(const QString& password);

// A login or a change of users that cannot be done, in words for the user.
class EAccessRefused : public EError {
public:
    using EError::EError;
};

} // namespace store
