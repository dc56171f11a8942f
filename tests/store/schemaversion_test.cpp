// Databases in the older layouts: refused untouched by the program's own
// connection, brought up to the program's schema version by the set-up with
// every row kept; a newer database refused and left as it was; a step the
// server refuses undone while the steps before it stay.

#include "fb/connection.h"
#include "store/schemaversion.h"
#include "store/tdm.h"
#include "support/testdatabase.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

// A practice's rows in every table; PACIENTE without EMAIL, which the
// original layout lacks. A memo longer than a blob segment, accents, NULLs.
QStringList practiceRows()
{
    return {
        QStringLiteral("INSERT INTO CARATER (ID, CARATER) VALUES (1, 'Particular')"),
        QStringLiteral("INSERT INTO TERAPEUTA (ID, NOME) VALUES (2, 'Helena Prado')"),
        QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (3, 'Fantoches')"),
        QStringLiteral("INSERT INTO ESCOLA (ID, NOME) VALUES (4, 'Escola Monteiro Lobato')"),
        QStringLiteral("INSERT INTO INSTRUCAO (ID, DESCRICAO) VALUES (5, 'Ensino Fundamental')"),
        QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (6, 'Rotina em casa')"),
        QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS, FONE, UF, CEP, INSTRUCAO, "
                       "ESCOLA, TERAPEUTA, CARATER, PROCEDENCIA) VALUES (57, 'Conceição Araújo', '2015-04-12', "
                       "'2021-08-03', 'A', '1132245566', 'SP', '04012000', 5, 4, 2, 1, 'Indicação escolar')"),
        QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, SAIDA, STATUS) "
                       "VALUES (58, 'João Lima', '2014-01-02', '2020-02-03', '2023-03-04', 'F')"),
        QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME, INSTRUCAO, FONE_CEL) "
                       "VALUES (57, 'M', 'Renata Araújo', 5, '11993334444')"),
        QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME) VALUES (57, 'P', 'Carlos Araújo')"),
        QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (20, 57, 'Pedro', '2012-11-30')"),
        QStringLiteral("INSERT INTO CONSULTA (ID, DATA, HORA, PACIENTE, OBSERVACOES) VALUES (30, '2024-03-05', "
                       "'14:00:00.1234', 57, '%1')")
            .arg(QStringLiteral(u"Brincou com fantoches e falou da irmã. ").repeated(400)),
        QStringLiteral("INSERT INTO CONSULTA (ID, DATA, PACIENTE) VALUES (31, '2024-03-12', 58)"),
        QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (3, 30)"),
        QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) "
                       "VALUES (40, 57, '2024-06-10', 'Boa evolução na fala.')"),
        QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO) VALUES (41, 57, '2024-06-10', 'Fono')"),
        QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) "
                       "VALUES (42, 6, 57, '2024-06-12', 'Horários regulares de sono.')"),
        QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (43, 58, '2024-01-15', 'Alta.')"),
        QStringLiteral("ALTER SEQUENCE GERADOR RESTART WITH 100"),
        QStringLiteral("ALTER SEQUENCE GEN_PACIENTE RESTART WITH 58"),
    };
}

QString trimmed(const QVariant& v) { return v.toString().trimmed(); }

// Every table of the record with its columns in their order; the version
// table is the upgrade's own.
using Layout = QMap<QString, QStringList>;

Layout layoutOf(const TestDatabase& db)
{
    Layout layout;
    for (const QVariantList& row :
         db.rows(QStringLiteral("select R.RDB$RELATION_NAME, F.RDB$FIELD_NAME from RDB$RELATIONS R "
                                "join RDB$RELATION_FIELDS F on F.RDB$RELATION_NAME = R.RDB$RELATION_NAME "
                                "where coalesce(R.RDB$SYSTEM_FLAG, 0) = 0 and R.RDB$VIEW_BLR is null "
                                "order by R.RDB$RELATION_NAME, F.RDB$FIELD_POSITION")))
        layout[trimmed(row[0])] << trimmed(row[1]);
    return layout;
}

// The rows of the given columns of every table, and the generators.
QMap<QString, QList<QVariantList>> rowsOf(const TestDatabase& db, const Layout& layout)
{
    QMap<QString, QList<QVariantList>> rows;
    for (auto t = layout.begin(); t != layout.end(); ++t)
        rows[t.key()] = db.rows(QStringLiteral("select %1 from %2 order by 1, 2").arg(t.value().join(u','), t.key()));
    rows[QStringLiteral("generators")] =
        db.rows(QStringLiteral("select GEN_ID(GERADOR, 0), GEN_ID(GEN_PACIENTE, 0) from RDB$DATABASE"));
    return rows;
}

// The format number of every table: any change of structure raises it.
QList<QVariantList> formatsOf(const TestDatabase& db)
{
    return db.rows(QStringLiteral("select RDB$RELATION_NAME, RDB$FORMAT from RDB$RELATIONS "
                                  "where coalesce(RDB$SYSTEM_FLAG, 0) = 0 order by 1"));
}

int versionOf(const TestDatabase& db)
{
    fb::Connection c;
    c.connect(db.connectParams());
    return store::schemaVersion(c);
}

// What the set-up does, as the server's administrator.
void upgradeAsTheSetUp(const TestDatabase& db)
{
    fb::Connection c;
    c.connect(db.connectParams());
    store::upgradeSchema(c);
}

// The data module's first open as a therapist, which must be refused with that message.
void expectRefusedAsOlder(const TestDatabase& db, const QString& message)
{
    Tdm dm(db.folder(), testusers::therapist());
    try {
        dm.qryPaciente.open();
        ADD_FAILURE() << "an older database was opened";
    } catch (const store::EOlderDatabase& e) {
        EXPECT_EQ(e.message(), message);
    }
    EXPECT_FALSE(dm.ZConnection1.connected());
}

} // namespace

TEST(SchemaVersion, OlderLayoutsAreBroughtUpToTheProgramsVersionWithEveryRowKept)
{
    const struct {
        const char* layout;
        bool withEmail;
    } cases[] = {{"db/schema.sql as it was", true}, {"the original, without PACIENTE.EMAIL", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        TestDatabase db(TestDatabase::Layout::Base);
        if (!c.withEmail)
            db.exec(QStringLiteral("ALTER TABLE PACIENTE DROP EMAIL"));
        for (const QString& sql : practiceRows())
            db.exec(sql);
        if (c.withEmail)
            db.exec(QStringLiteral("UPDATE PACIENTE SET EMAIL = 'familia@exemplo.com.br' WHERE ID = 57"));
        const Layout before = layoutOf(db);
        ASSERT_FALSE(before.contains(QStringLiteral("VERSAO_BANCO")));
        ASSERT_EQ(before[QStringLiteral("PACIENTE")].contains(QStringLiteral("EMAIL")), c.withEmail);
        const auto rowsBefore = rowsOf(db, before);
        ASSERT_EQ(versionOf(db), 0);

        // The program's users may not change the structure: the database
        // is refused as it is, without the roles its users need.
        const QList<QVariantList> formatsBefore = formatsOf(db);
        expectRefusedAsOlder(db, QStringLiteral(u"Este banco de dados é de uma versão anterior do Marvok, sem os "
                                                u"usuários desta versão; ele não foi alterado.\rUm administrador deve "
                                                u"atualizá-lo no computador do servidor (marvok-setup database) antes "
                                                u"que ele seja usado."));
        EXPECT_EQ(formatsOf(db), formatsBefore);
        EXPECT_EQ(versionOf(db), 0);

        // The set-up brings it up; then the program's users read it.
        upgradeAsTheSetUp(db);
        testusers::admitTestUsers(db.location());
        {
            Tdm dm(db.folder(), testusers::therapist());
            dm.qryPaciente.open();
            EXPECT_EQ(dm.qryPaciente.recordCount(), 2);
            dm.ZConnection1.disconnect();
        }
        EXPECT_EQ(versionOf(db), store::programSchemaVersion());
        Layout expected = before;
        if (!c.withEmail)
            expected[QStringLiteral("PACIENTE")] << QStringLiteral("EMAIL");
        expected[QStringLiteral("CONSULTORIO")] = QStringList{"ID", "NOME", "ENDERECO", "TELEFONE", "REGISTRO", "LOGOTIPO"};
        expected[QStringLiteral("AUDITORIA")] = QStringList{"ID", "MOMENTO", "USUARIO", "TABELA", "CHAVE", "ACAO", "PACIENTE"};
        expected[QStringLiteral("AUDITORIA_CAMPO")] = QStringList{"AUDITORIA", "CAMPO", "ANTES", "DEPOIS"};
        expected[QStringLiteral("ACESSO")] = QStringList{"ID", "MOMENTO", "USUARIO", "EVENTO", "PACIENTE", "DETALHE"};
        Layout after = layoutOf(db);
        after.remove(QStringLiteral("VERSAO_BANCO"));
        EXPECT_EQ(after, expected);
        EXPECT_EQ(rowsOf(db, before), rowsBefore);
        EXPECT_EQ(db.scalar(QStringLiteral("select F.RDB$FIELD_TYPE || ':' || F.RDB$CHARACTER_LENGTH from "
                                           "RDB$RELATION_FIELDS R join RDB$FIELDS F on F.RDB$FIELD_NAME = "
                                           "R.RDB$FIELD_SOURCE where R.RDB$RELATION_NAME = 'PACIENTE' and "
                                           "R.RDB$FIELD_NAME = 'EMAIL'")),
                  QStringLiteral("37:60"));   // VARCHAR(60)
        EXPECT_EQ(db.scalar(QStringLiteral("select count(EMAIL) from PACIENTE")).toInt(), c.withEmail ? 1 : 0);

        // The rows that were there before have no trail; their first change has.
        EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from AUDITORIA")).toInt(), 0);
        {
            Tdm dm(db.folder(), testusers::therapist());
            dm.qryPaciente.open();
            ASSERT_EQ(dm.qryPaciente.fieldByName(QStringLiteral("ID")).value().toInt(), 57);
            dm.qryPaciente.edit();
            dm.qryPaciente.fieldByName(QStringLiteral("PROCEDENCIA")).setValue(QStringLiteral("Pediatra"));
            dm.qryPaciente.post();
            dm.ZConnection1.disconnect();
        }
        EXPECT_EQ(db.rows(QStringLiteral("select A.USUARIO, A.TABELA, A.CHAVE, A.ACAO, A.PACIENTE, C.CAMPO, C.ANTES, "
                                         "C.DEPOIS from AUDITORIA A join AUDITORIA_CAMPO C on C.AUDITORIA = A.ID")),
                  (QList<QVariantList>{{testusers::therapist().user, "PACIENTE", "57", "A", 57, "PROCEDENCIA",
                                        QString::fromUtf8("Indicação escolar"), "Pediatra"}}));

        // The next connection finds the database at its version and changes nothing.
        const QList<QVariantList> formats = formatsOf(db);
        Tdm again(db.folder(), testusers::administrator());
        again.qryPaciente.open();
        EXPECT_EQ(formatsOf(db), formats);
    }
}

TEST(SchemaVersion, ADatabaseOneStepBehindIsRefusedWithBothVersionsAndLeftAsItWas)
{
    TestDatabase db;
    const int program = store::programSchemaVersion();
    db.exec(QStringLiteral("UPDATE VERSAO_BANCO SET VERSAO = %1").arg(program - 1));
    const QList<QVariantList> formats = formatsOf(db);
    expectRefusedAsOlder(db, QStringLiteral(u"Este banco de dados está na versão %1, e este programa precisa da "
                                            u"versão %2; ele não foi alterado.\rUm administrador deve atualizá-lo "
                                            u"no computador do servidor (marvok-setup database) antes que ele seja "
                                            u"usado.")
                                 .arg(program - 1)
                                 .arg(program));
    EXPECT_EQ(versionOf(db), program - 1);
    EXPECT_EQ(formatsOf(db), formats);
}

TEST(SchemaVersion, NewerDatabaseIsRefusedWithTheMessageAndLeftAsItWas)
{
    TestDatabase db;
    for (const QString& sql : practiceRows())
        db.exec(sql);
    const int newer = store::programSchemaVersion() + 1;
    db.exec(QStringLiteral("UPDATE VERSAO_BANCO SET VERSAO = %1").arg(newer));
    const Layout layout = layoutOf(db);
    const auto rows = rowsOf(db, layout);
    const QList<QVariantList> formats = formatsOf(db);

    Tdm dm(db.folder(), testusers::therapist());
    // A second open is refused as well: the refused database is not kept attached.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            dm.qryPaciente.open();
            FAIL() << "a newer database was opened";
        } catch (const store::ENewerDatabase& e) {
            EXPECT_EQ(e.message(), QStringLiteral(u"Este banco de dados foi atualizado por uma versão mais nova do "
                                                  u"Marvok (versão %1 do banco de dados; este programa conhece até a "
                                                  u"versão %2) e não foi alterado.\rInstale a versão mais nova do "
                                                  u"Marvok para abri-lo.")
                                       .arg(newer)
                                       .arg(newer - 1));
        }
        EXPECT_FALSE(dm.ZConnection1.connected());
        for (ds::SqlDataSet* d : dm.recordDataSets())
            EXPECT_FALSE(d->isActive()) << d->name().toStdString();
    }
    EXPECT_EQ(versionOf(db), newer);
    EXPECT_EQ(layoutOf(db), layout);
    EXPECT_EQ(rowsOf(db, layout), rows);
    EXPECT_EQ(formatsOf(db), formats);
}

TEST(SchemaVersion, AStepTheServerRefusesIsUndoneAndTheStepsBeforeItStay)
{
    TestDatabase db(TestDatabase::Layout::Base);
    db.exec(QStringLiteral("ALTER TABLE PACIENTE DROP EMAIL"));
    for (const QString& sql : practiceRows())
        db.exec(sql);
    const Layout layout = layoutOf(db);
    const auto rows = rowsOf(db, layout);

    // A step whose first statement works and whose second breaks a key.
    std::vector<store::SchemaStep> steps = store::schemaSteps();
    const int failing = store::programSchemaVersion() + 1;
    steps.push_back({failing,
                     QStringLiteral("passo de teste"),
                     {QStringLiteral("ALTER TABLE HISTORICO ADD EXTRA INTEGER"),
                      QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA) VALUES (999, 424242, '2024-01-01')")}});
    fb::Connection c;
    c.connect(db.connectParams());
    try {
        store::upgradeSchema(c, steps);
        FAIL() << "the step broke a foreign key";
    } catch (const store::EUpgradeFailed& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral(u"Não foi possível atualizar o banco de dados para a "
                                                          u"versão %1 (passo de teste)")
                                               .arg(failing)))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("FK_HISTORICO_PACIENTE"))) << e.message().toStdString();
    }
    c.disconnect();
    EXPECT_EQ(versionOf(db), store::programSchemaVersion());
    EXPECT_FALSE(layoutOf(db)[QStringLiteral("HISTORICO")].contains(QStringLiteral("EXTRA")));
    EXPECT_TRUE(layoutOf(db)[QStringLiteral("PACIENTE")].contains(QStringLiteral("EMAIL")));
    EXPECT_EQ(rowsOf(db, layout), rows);
}
