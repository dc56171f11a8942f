// The audit trail's tables and triggers and the access log's procedure.
// Each audited change is one AUDITORIA row (when, who, which row, which
// action, the patient it belongs to) with one AUDITORIA_CAMPO row for each
// column whose value it changed, notes kept whole.

#include "store/auditschema.h"

#include <vector>

namespace store {

namespace {

struct Audited {
    QString table;
    QStringList columns;
    // The row's key and its patient, "R" standing for OLD or NEW; patient
    // empty for the reference tables.
    QString key;
    QString patient;
    QStringList memos;   // the text blobs among the columns
};

const std::vector<Audited>& audited()
{
    static const std::vector<Audited> tables = {
        {QStringLiteral("CARATER"), {"ID", "CARATER"}, QStringLiteral("R.ID"), {}, {}},
        {QStringLiteral("TERAPEUTA"), {"ID", "NOME"}, QStringLiteral("R.ID"), {}, {}},
        {QStringLiteral("BRINQUEDO"), {"ID", "BRINQUEDO"}, QStringLiteral("R.ID"), {}, {}},
        {QStringLiteral("ESCOLA"), {"ID", "NOME"}, QStringLiteral("R.ID"), {}, {}},
        {QStringLiteral("INSTRUCAO"), {"ID", "DESCRICAO"}, QStringLiteral("R.ID"), {}, {}},
        {QStringLiteral("TIPO_ORIENTACAO"), {"ID", "DESCRICAO"}, QStringLiteral("R.ID"), {}, {}},
        {QStringLiteral("PACIENTE"),
         {"ID", "NOME", "EMAIL", "NASCIMENTO", "CADASTRO", "SAIDA", "STATUS", "FONE", "FONE2", "ENDERECO", "BAIRRO",
          "CIDADE", "UF", "CEP", "INSTRUCAO", "ESCOLA", "TERAPEUTA", "CARATER", "PROCEDENCIA"},
         QStringLiteral("R.ID"),
         QStringLiteral("R.ID"),
         {}},
        {QStringLiteral("PAIS"),
         {"PACIENTE", "TIPO", "NOME", "NASCIMENTO", "PROFISSAO", "INSTRUCAO", "FONE_RES", "FONE_PROF", "FONE_CEL"},
         QStringLiteral("R.PACIENTE || '/' || R.TIPO"),
         QStringLiteral("R.PACIENTE"),
         {}},
        {QStringLiteral("IRMAO"), {"ID", "PACIENTE", "NOME", "NASCIMENTO"}, QStringLiteral("R.ID"),
         QStringLiteral("R.PACIENTE"), {}},
        {QStringLiteral("CONSULTA"), {"ID", "DATA", "HORA", "PACIENTE", "OBSERVACOES"}, QStringLiteral("R.ID"),
         QStringLiteral("R.PACIENTE"), {"OBSERVACOES"}},
        {QStringLiteral("BRINQUEDO_NA_CONSULTA"), {"CONSULTA", "BRINQUEDO"},
         QStringLiteral("R.CONSULTA || '/' || R.BRINQUEDO"),
         QStringLiteral("(SELECT PACIENTE FROM CONSULTA WHERE ID = R.CONSULTA)"), {}},
        {QStringLiteral("REAVALIACAO"), {"ID", "PACIENTE", "DATA", "OBSERVACOES"}, QStringLiteral("R.ID"),
         QStringLiteral("R.PACIENTE"), {"OBSERVACOES"}},
        {QStringLiteral("INDICACAO"), {"ID", "PACIENTE", "DATA", "INDICACAO", "OBSERVACOES"}, QStringLiteral("R.ID"),
         QStringLiteral("R.PACIENTE"), {"OBSERVACOES"}},
        {QStringLiteral("ORIENTACAO"), {"ID", "TIPO", "PACIENTE", "DATA", "CONTEUDO"}, QStringLiteral("R.ID"),
         QStringLiteral("R.PACIENTE"), {"CONTEUDO"}},
        {QStringLiteral("HISTORICO"), {"ID", "PACIENTE", "DATA", "NOTA"}, QStringLiteral("R.ID"),
         QStringLiteral("R.PACIENTE"), {}},
    };
    return tables;
}

QString triggerName(const QString& table) { return QStringLiteral("AUD_") + table; }

QString rowOf(QString expression, const char* row)
{
    return expression.replace(QStringLiteral("R."), QString::fromLatin1(row) + u'.');
}

// One trigger for the three actions. The header row is written at the first
// changed column, so that an update that changes nothing leaves no entry.
QString triggerOf(const Audited& t)
{
    QString sql = QStringLiteral("CREATE TRIGGER %1 FOR %2 ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 32000 AS\n"
                                 "DECLARE AUD BIGINT;\n"
                                 "DECLARE ACAO CHAR(1);\n"
                                 "DECLARE CHAVE VARCHAR(40);\n"
                                 "DECLARE PACIENTE INTEGER;\n"
                                 "BEGIN\n"
                                 "  IF (DELETING) THEN BEGIN ACAO = 'E'; CHAVE = %3; PACIENTE = %4; END\n"
                                 "  ELSE BEGIN ACAO = IIF(INSERTING, 'I', 'A'); CHAVE = %5; PACIENTE = %6; END\n")
                      .arg(triggerName(t.table), t.table, rowOf(t.key, "OLD"),
                           t.patient.isEmpty() ? QStringLiteral("NULL") : rowOf(t.patient, "OLD"), rowOf(t.key, "NEW"),
                           t.patient.isEmpty() ? QStringLiteral("NULL") : rowOf(t.patient, "NEW"));
    for (const QString& column : t.columns) {
        const bool memo = t.memos.contains(column);
        const QString before = memo ? QStringLiteral("OLD.") + column
                                    : QStringLiteral("CAST(OLD.%1 AS VARCHAR(120))").arg(column);
        const QString after = memo ? QStringLiteral("NEW.") + column
                                   : QStringLiteral("CAST(NEW.%1 AS VARCHAR(120))").arg(column);
        sql += QStringLiteral("  IF (NEW.%1 IS DISTINCT FROM OLD.%1) THEN BEGIN\n"
                              "    IF (AUD IS NULL) THEN BEGIN\n"
                              "      AUD = GEN_ID(GEN_AUDITORIA, 1);\n"
                              "      INSERT INTO AUDITORIA (ID, MOMENTO, USUARIO, TABELA, CHAVE, ACAO, PACIENTE)\n"
                              "      VALUES (:AUD, CURRENT_TIMESTAMP, CURRENT_USER, '%2', :CHAVE, :ACAO, :PACIENTE);\n"
                              "    END\n"
                              "    INSERT INTO AUDITORIA_CAMPO (AUDITORIA, CAMPO, ANTES, DEPOIS)\n"
                              "    VALUES (:AUD, '%1', IIF(INSERTING, NULL, %3), IIF(DELETING, NULL, %4));\n"
                              "  END\n")
                   .arg(column, t.table, before, after);
    }
    return sql + QStringLiteral("END");
}

} // namespace

QStringList auditTables()
{
    return {
        QStringLiteral("CREATE GENERATOR GEN_AUDITORIA"),
        QStringLiteral("CREATE TABLE AUDITORIA (\n"
                       "  ID       BIGINT NOT NULL,\n"
                       "  MOMENTO  TIMESTAMP NOT NULL,\n"
                       "  USUARIO  VARCHAR(63) CHARACTER SET UTF8 NOT NULL,\n"
                       "  TABELA   VARCHAR(31) CHARACTER SET UTF8 NOT NULL,\n"
                       "  CHAVE    VARCHAR(40) CHARACTER SET UTF8 NOT NULL,\n"
                       "  ACAO     CHAR(1) CHARACTER SET UTF8 NOT NULL,\n"
                       "  PACIENTE INTEGER,\n"
                       "  CONSTRAINT PK_AUDITORIA PRIMARY KEY (ID)\n"
                       ")"),
        QStringLiteral("CREATE INDEX IX_AUDITORIA_PACIENTE ON AUDITORIA (PACIENTE, MOMENTO)"),
        QStringLiteral("CREATE TABLE AUDITORIA_CAMPO (\n"
                       "  AUDITORIA BIGINT NOT NULL,\n"
                       "  CAMPO     VARCHAR(31) CHARACTER SET UTF8 NOT NULL,\n"
                       "  ANTES     BLOB SUB_TYPE TEXT CHARACTER SET UTF8,\n"
                       "  DEPOIS    BLOB SUB_TYPE TEXT CHARACTER SET UTF8,\n"
                       "  CONSTRAINT PK_AUDITORIA_CAMPO PRIMARY KEY (AUDITORIA, CAMPO)\n"
                       ")"),
        // The access log: who opened which record, printed or exported what,
        // backed up, restored, logged in or changed the users.
        QStringLiteral("CREATE TABLE ACESSO (\n"
                       "  ID       BIGINT NOT NULL,\n"
                       "  MOMENTO  TIMESTAMP NOT NULL,\n"
                       "  USUARIO  VARCHAR(63) CHARACTER SET UTF8 NOT NULL,\n"
                       "  EVENTO   VARCHAR(20) CHARACTER SET UTF8 NOT NULL,\n"
                       "  PACIENTE INTEGER,\n"
                       "  DETALHE  VARCHAR(200) CHARACTER SET UTF8 COLLATE UNICODE,\n"
                       "  CONSTRAINT PK_ACESSO PRIMARY KEY (ID)\n"
                       ")"),
        QStringLiteral("CREATE INDEX IX_ACESSO_MOMENTO ON ACESSO (MOMENTO)"),
    };
}

QStringList auditTriggersAndRights()
{
    QStringList statements;
    for (const Audited& t : audited()) {
        statements << triggerOf(t);
        for (const char* table : {"AUDITORIA", "AUDITORIA_CAMPO"})
            statements << QStringLiteral("GRANT INSERT ON %1 TO TRIGGER %2").arg(QString::fromLatin1(table), triggerName(t.table));
        statements << QStringLiteral("GRANT USAGE ON GENERATOR GEN_AUDITORIA TO TRIGGER %1").arg(triggerName(t.table));
    }
    statements << QStringLiteral("GRANT SELECT ON CONSULTA TO TRIGGER AUD_BRINQUEDO_NA_CONSULTA");
    // The user is the connection's, never one the program passes.
    statements << QStringLiteral("CREATE PROCEDURE REGISTRAR_ACESSO (\n"
                                 "  EVENTO   VARCHAR(20) CHARACTER SET UTF8,\n"
                                 "  PACIENTE INTEGER,\n"
                                 "  DETALHE  VARCHAR(200) CHARACTER SET UTF8)\n"
                                 "AS\n"
                                 "BEGIN\n"
                                 "  INSERT INTO ACESSO (ID, MOMENTO, USUARIO, EVENTO, PACIENTE, DETALHE)\n"
                                 "  VALUES (GEN_ID(GEN_AUDITORIA, 1), CURRENT_TIMESTAMP, CURRENT_USER, :EVENTO,\n"
                                 "          :PACIENTE, :DETALHE);\n"
                                 "END")
               << QStringLiteral("GRANT INSERT ON ACESSO TO PROCEDURE REGISTRAR_ACESSO")
               << QStringLiteral("GRANT USAGE ON GENERATOR GEN_AUDITORIA TO PROCEDURE REGISTRAR_ACESSO");
    // Both roles read the trail (the change history) and log their own
    // accesses; only an administrator reads the access log.
    for (const char* role : {"MARVOK_TERAPEUTA", "MARVOK_ADMIN"}) {
        statements << QStringLiteral("GRANT SELECT ON AUDITORIA TO ROLE %1").arg(QString::fromLatin1(role))
                   << QStringLiteral("GRANT SELECT ON AUDITORIA_CAMPO TO ROLE %1").arg(QString::fromLatin1(role))
                   << QStringLiteral("GRANT EXECUTE ON PROCEDURE REGISTRAR_ACESSO TO ROLE %1").arg(QString::fromLatin1(role));
    }
    statements << QStringLiteral("GRANT SELECT ON ACESSO TO ROLE MARVOK_ADMIN");
    return statements;
}

} // namespace store
