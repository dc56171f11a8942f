// The steps that bring a database up to the program's version. A new step
// goes at the end with the next number; a step already released never
// changes, since databases in use have run it.

#include "store/auditschema.h"
#include "store/schemaversion.h"

namespace store {

namespace {

// The program's two roles and their rights: both read and write every
// table of the record and the reference tables and draw keys from the two
// generators, and read the schema version and the practice's data, which
// only an administrator changes. Nothing is granted to anyone
// else, so a connection without one of the roles reads nothing.
QStringList rolesAndRights()
{
    const QStringList roles{QStringLiteral("MARVOK_TERAPEUTA"), QStringLiteral("MARVOK_ADMIN")};
    const QStringList tables{
        QStringLiteral("CARATER"),   QStringLiteral("TERAPEUTA"),        QStringLiteral("BRINQUEDO"),
        QStringLiteral("ESCOLA"),    QStringLiteral("INSTRUCAO"),        QStringLiteral("TIPO_ORIENTACAO"),
        QStringLiteral("PACIENTE"),  QStringLiteral("PAIS"),             QStringLiteral("IRMAO"),
        QStringLiteral("CONSULTA"),  QStringLiteral("BRINQUEDO_NA_CONSULTA"), QStringLiteral("REAVALIACAO"),
        QStringLiteral("INDICACAO"), QStringLiteral("ORIENTACAO"),       QStringLiteral("HISTORICO")};
    QStringList statements;
    for (const QString& role : roles)
        statements << QStringLiteral("CREATE ROLE %1").arg(role);
    for (const QString& role : roles) {
        for (const QString& table : tables)
            statements << QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON %1 TO ROLE %2").arg(table, role);
        statements << QStringLiteral("GRANT SELECT ON VERSAO_BANCO TO ROLE %1").arg(role)
                   << QStringLiteral("GRANT SELECT ON CONSULTORIO TO ROLE %1").arg(role)
                   << QStringLiteral("GRANT USAGE ON GENERATOR GERADOR TO ROLE %1").arg(role)
                   << QStringLiteral("GRANT USAGE ON GENERATOR GEN_PACIENTE TO ROLE %1").arg(role);
    }
    // The practice's data is entered by an administrator; every report reads it.
    statements << QStringLiteral("GRANT INSERT, UPDATE, DELETE ON CONSULTORIO TO ROLE MARVOK_ADMIN");
    return statements;
}

} // namespace

const std::vector<SchemaStep>& schemaSteps()
{
    static const std::vector<SchemaStep> steps = {
        {1,
         QStringLiteral(u"e-mail do paciente"),
         // The first databases had no e-mail; those made later have it already.
         {QStringLiteral("EXECUTE BLOCK AS\n"
                         "BEGIN\n"
                         "  IF (NOT EXISTS (SELECT 1 FROM RDB$RELATION_FIELDS\n"
                         "                  WHERE RDB$RELATION_NAME = 'PACIENTE' AND RDB$FIELD_NAME = 'EMAIL')) THEN\n"
                         "    EXECUTE STATEMENT 'ALTER TABLE PACIENTE ADD EMAIL VARCHAR(60)';\n"
                         "END")}},
        {2,
         QStringLiteral(u"dados do consultório"),
         // One row (ID 1): the practice as its reports and exports name it.
         {QStringLiteral("CREATE TABLE CONSULTORIO (\n"
                         "  ID       INTEGER NOT NULL,\n"
                         "  NOME     VARCHAR(80)  CHARACTER SET UTF8 COLLATE UNICODE,\n"
                         "  ENDERECO VARCHAR(100) CHARACTER SET UTF8 COLLATE UNICODE,\n"
                         "  TELEFONE VARCHAR(40)  CHARACTER SET UTF8 COLLATE UNICODE,\n"
                         "  REGISTRO VARCHAR(40)  CHARACTER SET UTF8 COLLATE UNICODE,\n"
                         "  LOGOTIPO BLOB SUB_TYPE 0,\n"
                         "  CONSTRAINT PK_CONSULTORIO PRIMARY KEY (ID),\n"
                         "  CONSTRAINT CK_CONSULTORIO_UNICO CHECK (ID = 1)\n"
                         ")")}},
        {3, QStringLiteral(u"papéis e permissões dos usuários"), rolesAndRights()},
        // The trail's tables are committed before the triggers that write them.
        {4, QStringLiteral(u"tabelas da auditoria"), auditTables()},
        {5, QStringLiteral(u"registro das alterações e dos acessos"), auditTriggersAndRights()},
    };
    return steps;
}

} // namespace store
