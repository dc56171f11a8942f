// The audit trail the database keeps: every insert, update and delete on the
// record and the reference tables, by the program or by anyone else with a
// user's password, names that user and keeps the old and new values; nobody
// but the triggers writes the trail.

#include "fb/connection.h"
#include "fb/fberror.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "storefixture.h"

#include <QProcess>
#include <QSet>

namespace {

// One audited change as the trail holds it, its columns as "CAMPO: antes -> depois".
struct Entry {
    QString user, table, key, action;
    QString patient;   // "null" for the reference tables
    QStringList changes;
    bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& e)
{
    return out << e.user.toStdString() << ' ' << e.table.toStdString() << ' ' << e.key.toStdString() << ' '
               << e.action.toStdString() << " paciente " << e.patient.toStdString() << " ["
               << e.changes.join(QStringLiteral("; ")).toStdString() << ']';
}

QString shown(const QVariant& v) { return v.isNull() ? QStringLiteral("null") : v.toString(); }

// The trail's entries after the given one, oldest first.
QList<Entry> entriesAfter(const TestDatabase& db, qint64 after)
{
    QList<Entry> entries;
    for (const QVariantList& row : db.rows(QStringLiteral(
             "select ID, USUARIO, TABELA, CHAVE, ACAO, PACIENTE from AUDITORIA where ID > %1 order by ID").arg(after))) {
        Entry e{row[1].toString(), row[2].toString(), row[3].toString(), row[4].toString(), shown(row[5]), {}};
        for (const QVariantList& c : db.rows(QStringLiteral("select CAMPO, ANTES, DEPOIS from AUDITORIA_CAMPO where "
                                                            "AUDITORIA = %1 order by CAMPO").arg(row[0].toLongLong())))
            e.changes << c[0].toString() + QStringLiteral(": ") + shown(c[1]) + QStringLiteral(" -> ") + shown(c[2]);
        entries << e;
    }
    return entries;
}

qint64 lastEntry(const TestDatabase& db)
{
    return db.scalar(QStringLiteral("select coalesce(max(ID), 0) from AUDITORIA")).toLongLong();
}

class AuditTest : public StoreTest {
protected:
    QString therapistName() const { return testusers::therapist().user; }
};

} // namespace

TEST_F(AuditTest, EveryAuditedTableRecordsInsertUpdateAndDeleteWithTheUserAndEveryColumn)
{
    // Rows with every column filled, so that the insert's entry must name
    // every column of the table; inserted in this order and deleted in the reverse.
    const struct {
        const char* table;
        const char* insert;
        const char* update;
        const char* deleteWhere;
        const char* key;
        const char* patient;
        const char* change;   // the update's one change
    } cases[] = {
        {"CARATER", "(ID, CARATER) VALUES (1, 'Particular')", "CARATER = 'Convênio'", "ID = 1", "1", "null", "CARATER: Particular -> Convênio"},
        {"TERAPEUTA", "(ID, NOME) VALUES (2, 'Helena')", "NOME = 'Helena Prado'", "ID = 2", "2", "null", "NOME: Helena -> Helena Prado"},
        {"BRINQUEDO", "(ID, BRINQUEDO) VALUES (3, 'Fantoches')", "BRINQUEDO = 'Bonecos'", "ID = 3", "3", "null", "BRINQUEDO: Fantoches -> Bonecos"},
        {"ESCOLA", "(ID, NOME) VALUES (4, 'Escola A')", "NOME = 'Escola B'", "ID = 4", "4", "null", "NOME: Escola A -> Escola B"},
        {"INSTRUCAO", "(ID, DESCRICAO) VALUES (5, 'Médio')", "DESCRICAO = 'Superior'", "ID = 5", "5", "null", "DESCRICAO: Médio -> Superior"},
        {"TIPO_ORIENTACAO", "(ID, DESCRICAO) VALUES (6, 'Sono')", "DESCRICAO = 'Rotina'", "ID = 6", "6", "null", "DESCRICAO: Sono -> Rotina"},
        {"PACIENTE",
         "(ID, NOME, EMAIL, NASCIMENTO, CADASTRO, SAIDA, STATUS, FONE, FONE2, ENDERECO, BAIRRO, CIDADE, UF, CEP, "
         "INSTRUCAO, ESCOLA, TERAPEUTA, CARATER, PROCEDENCIA) VALUES (57, 'Conceição', 'a@b.br', '2015-04-12', "
         "'2021-08-03', '2023-01-02', 'F', '1132245566', '11999990000', 'Rua A, 1', 'Centro', 'Santos', 'SP', "
         "'11010000', 5, 4, 2, 1, 'Escola')",
         "NASCIMENTO = '2015-04-13'", "ID = 57", "57", "57", "NASCIMENTO: 2015-04-12 -> 2015-04-13"},
        {"PAIS",
         "(PACIENTE, TIPO, NOME, NASCIMENTO, PROFISSAO, INSTRUCAO, FONE_RES, FONE_PROF, FONE_CEL) VALUES (57, 'M', "
         "'Renata', '1980-01-01', 'Professora', 5, '1133334444', '1144445555', '11988887777')",
         "FONE_CEL = NULL", "PACIENTE = 57", "57/M", "57", "FONE_CEL: 11988887777 -> null"},
        {"IRMAO", "(ID, PACIENTE, NOME, NASCIMENTO) VALUES (20, 57, 'Pedro', '2012-11-30')", "NOME = 'Pedro Luís'",
         "ID = 20", "20", "57", "NOME: Pedro -> Pedro Luís"},
        {"CONSULTA", "(ID, DATA, HORA, PACIENTE, OBSERVACOES) VALUES (30, '2024-03-05', '14:00:00', 57, 'Brincou.')",
         "OBSERVACOES = 'Brincou e falou.'", "ID = 30", "30", "57", "OBSERVACOES: Brincou. -> Brincou e falou."},
        {"BRINQUEDO_NA_CONSULTA", "(BRINQUEDO, CONSULTA) VALUES (3, 30)", "BRINQUEDO = BRINQUEDO", "CONSULTA = 30",
         "30/3", "57", nullptr},
        {"REAVALIACAO", "(ID, PACIENTE, DATA, OBSERVACOES) VALUES (40, 57, '2024-06-10', 'Boa evolução.')",
         "DATA = '2024-06-11'", "ID = 40", "40", "57", "DATA: 2024-06-10 -> 2024-06-11"},
        {"INDICACAO", "(ID, PACIENTE, DATA, INDICACAO, OBSERVACOES) VALUES (41, 57, '2024-06-10', 'Fono', 'Urgente')",
         "INDICACAO = 'Fonoaudiologia'", "ID = 41", "41", "57", "INDICACAO: Fono -> Fonoaudiologia"},
        {"ORIENTACAO", "(ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (42, 6, 57, '2024-06-12', 'Dormir cedo.')",
         "CONTEUDO = CONTEUDO || ' Sem telas.'", "ID = 42", "42", "57",
         "CONTEUDO: Dormir cedo. -> Dormir cedo. Sem telas."},
        {"HISTORICO", "(ID, PACIENTE, DATA, NOTA) VALUES (43, 57, '2024-01-15', 'Alta.')", "NOTA = NULL", "ID = 43",
         "43", "57", "NOTA: Alta. -> null"},
    };
    const store::Account& therapist = testusers::therapist();
    for (const auto& c : cases) {
        const QString table = QString::fromLatin1(c.table);
        SCOPED_TRACE(c.table);
        const qint64 before = lastEntry(db);
        ASSERT_EQ(runAs(db, therapist, {QStringLiteral("INSERT INTO %1 %2").arg(table, QString::fromUtf8(c.insert)),
                                        QStringLiteral("UPDATE %1 SET %2").arg(table, QString::fromUtf8(c.update))}),
                  QString());
        const QList<Entry> entries = entriesAfter(db, before);
        ASSERT_EQ(entries.size(), c.change ? 2 : 1);   // an update that changes nothing leaves none
        const Entry& inserted = entries[0];
        EXPECT_EQ(inserted.user, therapist.user);
        EXPECT_EQ(inserted.table, table);
        EXPECT_EQ(inserted.key, QString::fromLatin1(c.key));
        EXPECT_EQ(inserted.action, QStringLiteral("I"));
        EXPECT_EQ(inserted.patient, QString::fromLatin1(c.patient));
        // Every column of the table, from nothing to its value.
        QStringList columns;
        for (const QString& change : inserted.changes) {
            EXPECT_TRUE(change.contains(QStringLiteral(": null -> "))) << change.toStdString();
            columns << change.section(u':', 0, 0);
        }
        QStringList expected;
        for (const QVariant& name : db.column(QStringLiteral("select trim(RDB$FIELD_NAME) from RDB$RELATION_FIELDS "
                                                             "where RDB$RELATION_NAME = '%1' order by 1").arg(table)))
            expected << name.toString();
        EXPECT_EQ(columns.join(u' ').toStdString(), expected.join(u' ').toStdString());
        if (c.change) {
            EXPECT_EQ(entries[1], (Entry{therapist.user, table, QString::fromLatin1(c.key), QStringLiteral("A"),
                                         QString::fromLatin1(c.patient), {QString::fromUtf8(c.change)}}));
        }
    }
    for (auto c = std::rbegin(cases); c != std::rend(cases); ++c) {
        SCOPED_TRACE(c->table);
        const QString table = QString::fromLatin1(c->table);
        const qint64 before = lastEntry(db);
        ASSERT_EQ(runAs(db, testusers::administrator(),
                        {QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, QString::fromLatin1(c->deleteWhere))}),
                  QString());
        const QList<Entry> entries = entriesAfter(db, before);
        ASSERT_EQ(entries.size(), 1);
        EXPECT_EQ(entries[0].user, testusers::administrator().user);
        EXPECT_EQ(entries[0].action, QStringLiteral("E"));
        EXPECT_EQ(entries[0].key, QString::fromLatin1(c->key));
        EXPECT_EQ(entries[0].patient, QString::fromLatin1(c->patient));
        // What was deleted stays in the trail, every column of it.
        for (const QString& change : entries[0].changes)
            EXPECT_TRUE(change.endsWith(QStringLiteral(" -> null")) && !change.contains(QStringLiteral(": null ->")))
                << change.toStdString();
        EXPECT_EQ(entries[0].changes.size(),
                  db.scalar(QStringLiteral("select count(*) from RDB$RELATION_FIELDS where RDB$RELATION_NAME = '%1'")
                                .arg(table))
                          .toInt() -
                      (c->change && QString::fromUtf8(c->change).endsWith(QStringLiteral("-> null")) ? 1 : 0));
    }
}

TEST_F(AuditTest, ASessionSavedByTheProgramKeepsItsWholeNoteBeforeAndAfter)
{
    addPatient(7, "Ana");
    const QString first = QStringLiteral(u"Desenhou a família; falou da escola. ").repeated(600);   // beyond a segment
    const QString second = first + QStringLiteral(u"Pediu para voltar.");
    dm.qryPaciente.open();
    const qint64 before = lastEntry(db);
    dm.qryConsulta.append();
    set(dm.qryConsulta, "DATA", QDate(2024, 5, 6));
    set(dm.qryConsulta, "OBSERVACOES", first);
    dm.qryConsulta.post();
    dm.qryConsulta.edit();
    set(dm.qryConsulta, "OBSERVACOES", second);
    dm.qryConsulta.post();
    const QString id = value(dm.qryConsulta, "ID").toString();

    const QList<Entry> entries = entriesAfter(db, before);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].user, therapistName());
    EXPECT_EQ(entries[0].action, QStringLiteral("I"));
    EXPECT_EQ(entries[0].patient, QStringLiteral("7"));
    EXPECT_EQ(entries[1], (Entry{therapistName(), QStringLiteral("CONSULTA"), id, QStringLiteral("A"), QStringLiteral("7"),
                                 {QStringLiteral("OBSERVACOES: ") + first + QStringLiteral(" -> ") + second}}));
    // The server's own clock, not the PC's.
    EXPECT_EQ(count(QStringLiteral("select count(*) from AUDITORIA where ID > %1 and "
                                   "abs(datediff(second from MOMENTO to current_timestamp)) < 120").arg(before)),
              2);
}

TEST_F(AuditTest, NoUserOfTheProgramChangesTheTrailOrItsTriggers)
{
    addPatient(7, "Ana");
    ASSERT_GT(lastEntry(db), 0);
    for (const store::Account& account : {testusers::therapist(), testusers::administrator()}) {
        SCOPED_TRACE(account.role.toStdString());
        const struct {
            const char* sql;
            const char* refusal;
        } attempts[] = {
            {"UPDATE AUDITORIA SET USUARIO = 'OUTRA'", "no permission for UPDATE access to TABLE AUDITORIA"},
            {"DELETE FROM AUDITORIA", "no permission for DELETE access to TABLE AUDITORIA"},
            {"INSERT INTO AUDITORIA (ID, MOMENTO, USUARIO, TABELA, CHAVE, ACAO) VALUES (-1, current_timestamp, 'X', "
             "'PACIENTE', '1', 'I')",
             "no permission for INSERT access to TABLE AUDITORIA"},
            {"UPDATE AUDITORIA_CAMPO SET ANTES = NULL", "no permission for UPDATE access to TABLE AUDITORIA_CAMPO"},
            {"DELETE FROM AUDITORIA_CAMPO", "no permission for DELETE access to TABLE AUDITORIA_CAMPO"},
            {"INSERT INTO AUDITORIA_CAMPO (AUDITORIA, CAMPO) VALUES (-1, 'X')",
             "no permission for INSERT access to TABLE AUDITORIA_CAMPO"},
            {"ALTER TRIGGER AUD_PACIENTE INACTIVE", "no permission"},
            {"DROP TRIGGER AUD_CONSULTA", "no permission"},
            {"UPDATE ACESSO SET USUARIO = 'OUTRA'", "no permission for UPDATE access to TABLE ACESSO"},
            {"DELETE FROM ACESSO", "no permission for DELETE access to TABLE ACESSO"},
        };
        for (const auto& a : attempts) {
            const QString refusal = runAs(db, account, {QString::fromLatin1(a.sql)});
            EXPECT_TRUE(refusal.contains(QString::fromLatin1(a.refusal))) << a.sql << ": " << refusal.toStdString();
        }
        // Reading it is allowed: the change history reads it.
        EXPECT_EQ(runAs(db, account, {QStringLiteral("SELECT COUNT(*) FROM AUDITORIA_CAMPO")}), QString());
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from AUDITORIA where USUARIO = 'OUTRA' or ID < 0")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from RDB$TRIGGERS where RDB$TRIGGER_NAME starting with 'AUD_' "
                                   "and RDB$TRIGGER_INACTIVE = 0")),
              15);
}

TEST_F(AuditTest, ChangesMadeWithIsqlAreAuditedAsThatUser)
{
    addPatient(7, "Ana");
    const qint64 before = lastEntry(db);
    const store::Account& therapist = testusers::therapist();
    QProcess isql;
    isql.setProcessChannelMode(QProcess::MergedChannels);
    isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-user"), therapist.user,
                                           QStringLiteral("-password"), therapist.password, QStringLiteral("-role"),
                                           therapist.role, db.location()});
    isql.write("UPDATE PACIENTE SET NOME = 'Ana Clara' WHERE ID = 7;\nDELETE FROM PACIENTE WHERE ID = 7;\nCOMMIT;\n");
    isql.closeWriteChannel();
    ASSERT_TRUE(isql.waitForFinished(60000));
    EXPECT_EQ(isql.exitCode(), 0) << isql.readAll().toStdString();
    const QList<Entry> entries = entriesAfter(db, before);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0], (Entry{therapist.user, QStringLiteral("PACIENTE"), QStringLiteral("7"), QStringLiteral("A"),
                                 QStringLiteral("7"), {QStringLiteral("NOME: Ana -> Ana Clara")}}));
    EXPECT_EQ(entries[1].user, therapist.user);
    EXPECT_EQ(entries[1].action, QStringLiteral("E"));
    EXPECT_TRUE(entries[1].changes.contains(QStringLiteral("NOME: Ana Clara -> null")));
}
