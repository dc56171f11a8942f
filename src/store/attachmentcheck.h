#pragma once
// What the data module checks on each new attachment before it reads
// anything: the wire is encrypted when the server is another machine, the
// user is not the server's administrator and works under one of the
// program's roles, and the database is at the program's schema version.

#include "core/eerror.h"

#include <QString>

namespace fb {
class Connection;
}

namespace store {

// True when the database's location names no server, or this machine by
// its name or loopback address ("localhost", "127.0.0.1", "::1"). Any
// other address is taken for another machine, even one that happens to be
// this one.
bool isThisMachine(const QString& location);

// The connection to another machine is not encrypted.
class EUnencryptedConnection : public EError {
public:
    explicit EUnencryptedConnection(const QString& location);
};

// The attachment has none of the program's roles (the user is not one of
// its users in this database, or not with the role asked for).
class ENotInRole : public EError {
public:
    explicit ENotInRole(const QString& user);
};

// What the server says of an attachment, in one round.
struct AttachmentFacts {
    QString user;
    QString role;            // "NONE" without one
    bool encrypted = false;  // the wire, as the server reports it
    int programRoles = 0;    // how many of the program's two roles the database has
};
AttachmentFacts attachmentFacts(fb::Connection& connection);

// Raises EUnencryptedConnection when the location is another machine and
// the attachment is not encrypted.
void requireEncryption(const AttachmentFacts& facts, const QString& location);

// Checks the attachment; raises EUnencryptedConnection, ENotInRole,
// EAccessRefused (the server's administrator), EOlderDatabase (a database
// without the program's roles) or the errors of checkSchemaVersion.
void checkAttachment(fb::Connection& connection, const QString& location);

} // namespace store
