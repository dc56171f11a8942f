// Reading the database's schema version and running the steps above it.

#include "store/schemaversion.h"

#include "fb/connection.h"
#include "fb/fberror.h"
#include "fb/statement.h"

namespace store {

namespace {

// One round to the server whatever the layout: a database made before
// versions were recorded has no VERSAO_BANCO yet.
const QString kReadVersion = QStringLiteral(
    "EXECUTE BLOCK RETURNS (VERSAO INTEGER) AS\n"
    "BEGIN\n"
    "  VERSAO = 0;\n"
    "  IF (EXISTS (SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'VERSAO_BANCO')) THEN\n"
    "    EXECUTE STATEMENT 'SELECT COALESCE(MAX(VERSAO), 0) FROM VERSAO_BANCO' INTO :VERSAO;\n"
    "  SUSPEND;\n"
    "END");

// Made in a transaction of its own: the server lets a step write into it
// only once it is committed. Empty, it means version 0.
const QString kCreateVersionTable = QStringLiteral(
    "CREATE TABLE VERSAO_BANCO (\n"
    "  ID     INTEGER NOT NULL,\n"
    "  VERSAO INTEGER NOT NULL,\n"
    "  CONSTRAINT PK_VERSAO_BANCO PRIMARY KEY (ID),\n"
    "  CONSTRAINT CK_VERSAO_BANCO_UMA_LINHA CHECK (ID = 1)\n"
    ")");

QString recordVersion(int version)
{
    return QStringLiteral("UPDATE OR INSERT INTO VERSAO_BANCO (ID, VERSAO) VALUES (1, %1) MATCHING (ID)").arg(version);
}

bool hasVersionTable(fb::Connection& connection)
{
    return fb::selectValue(connection,
                           QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'VERSAO_BANCO'"))
               .toInt() > 0;
}

void createVersionTable(fb::Connection& connection)
{
    try {
        fb::executeInTransaction(connection, {kCreateVersionTable});
    } catch (const fb::FbError& error) {
        // Another copy of the program may have made it meanwhile.
        if (error.isConnectionFailure() || !hasVersionTable(connection))
            throw;
    }
}

// The step and the version it brings, together or not at all.
void runStep(fb::Connection& connection, const SchemaStep& step)
{
    fb::executeInTransaction(connection, QStringList(step.statements) << recordVersion(step.version),
                             fb::ParamStyle::Raw);
}

} // namespace

int programSchemaVersion() { return schemaSteps().empty() ? 0 : schemaSteps().back().version; }

ENewerDatabase::ENewerDatabase(int databaseVersion, int programVersion)
    : EError(QStringLiteral(u"Este banco de dados foi atualizado por uma versão mais nova do Marvok "
                            u"(versão %1 do banco de dados; este programa conhece até a versão %2) e não foi "
                            u"alterado.\rInstale a versão mais nova do Marvok para abri-lo.")
                 .arg(databaseVersion)
                 .arg(programVersion))
{
}

EOlderDatabase::EOlderDatabase(int databaseVersion, int programVersion)
    : EError((databaseVersion < 0
                  ? QStringLiteral(u"Este banco de dados é de uma versão anterior do Marvok, sem os usuários desta "
                                   u"versão")
                  : QStringLiteral(u"Este banco de dados está na versão %1, e este programa precisa da versão %2")
                        .arg(databaseVersion)
                        .arg(programVersion)) +
             QStringLiteral(u"; ele não foi alterado.\rUm administrador deve atualizá-lo no computador do servidor "
                            u"(marvok-setup database) antes que ele seja usado."))
{
}

EUpgradeFailed::EUpgradeFailed(const SchemaStep& step, const QString& serverMessage)
    : EError(QStringLiteral(u"Não foi possível atualizar o banco de dados para a versão %1 (%2); ele continua "
                            u"na versão anterior.\r\rMensagem do Banco de Dados:\r%3")
                 .arg(step.version)
                 .arg(step.what, serverMessage))
{
}

int schemaVersion(fb::Connection& connection)
{
    // Read on every connection: the attachment's reading transaction spares
    // the exchanges of a transaction of its own.
    return fb::executeImmediate(connection.readTransaction(), kReadVersion, {}, 1).value(0).toInt();
}

void checkSchemaVersion(fb::Connection& connection)
{
    const int found = schemaVersion(connection);
    const int target = programSchemaVersion();
    if (found > target)
        throw ENewerDatabase(found, target);
    if (found < target)
        throw EOlderDatabase(found, target);
}

int upgradeSchema(fb::Connection& connection, const std::vector<SchemaStep>& steps)
{
    const int found = schemaVersion(connection);
    const int target = steps.empty() ? 0 : steps.back().version;
    if (found > target)
        throw ENewerDatabase(found, target);
    if (found == target)
        return found;
    if (!hasVersionTable(connection))
        createVersionTable(connection);
    for (const SchemaStep& step : steps) {
        if (step.version <= found)
            continue;
        try {
            runStep(connection, step);
        } catch (const fb::FbError& error) {
            if (error.isConnectionFailure())
                throw;
            // Another copy of the program may have run this step meanwhile.
            if (schemaVersion(connection) < step.version)
                throw EUpgradeFailed(step, error.message());
        }
    }
    return found;
}

} // namespace store
