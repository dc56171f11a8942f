#pragma once
// The database's schema version and the ordered steps that bring an older
// database up to the program's. The version lives in the one row of
// VERSAO_BANCO; a database without that table (or with the table empty) is
// at version 0, whether or not it already has PACIENTE.EMAIL.

#include "core/eerror.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace fb {
class Connection;
}

namespace store {

// One step: the statements that take a database from version - 1 to
// version, run in one transaction together with the new version number.
// A statement cannot use a table or column that an earlier statement of the
// same step creates (the server knows it only after the commit): such a use
// goes into the next step.
struct SchemaStep {
    int version;
    QString what;            // a few Portuguese words, for the messages
    QStringList statements;  // sent as they stand (PSQL blocks allowed)
};

// The program's steps, in order (schemasteps.cpp); the last one's number is
// the program's own version.
const std::vector<SchemaStep>& schemaSteps();
int programSchemaVersion();

// The database is newer than the program: it is left as it is.
class ENewerDatabase : public EError {
public:
    ENewerDatabase(int databaseVersion, int programVersion);
};

// The database is older than the program. The program's users have no
// right to change the database's structure: the set-up brings it up to date
// under the server's administrator. databaseVersion -1: a database made
// before the program's roles, whose version its users cannot read.
class EOlderDatabase : public EError {
public:
    EOlderDatabase(int databaseVersion, int programVersion);
};

// A step the server refused; the database stays at the version before it.
class EUpgradeFailed : public EError {
public:
    EUpgradeFailed(const SchemaStep& step, const QString& serverMessage);
};

// The version the database records (0 when it records none).
int schemaVersion(fb::Connection& connection);

// Raises ENewerDatabase or EOlderDatabase unless the database is at the
// program's version; changes nothing.
void checkSchemaVersion(fb::Connection& connection);

// Brings the attached database up to the last of the steps, each step in a
// transaction of its own with its version number. A database newer than the
// last step is refused with ENewerDatabase before anything is written. A
// failing step raises EUpgradeFailed (a lost connection stays fb::FbError)
// and leaves the database at the version before it. Returns the version the
// database had.
int upgradeSchema(fb::Connection& connection, const std::vector<SchemaStep>& steps = schemaSteps());

} // namespace store
