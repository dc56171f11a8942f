// scripts/demo-database: a small demo database (20 patients) made through the
// real server, checked against the rules of the schema and the key generators.

#include "fb/connection.h"
#include "store/schemaversion.h"
#include "support/testaccount.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kScript = QStringLiteral(MARVOK_SOURCE_DIR "/scripts/demo-database");

struct ScriptRun {
    int exitCode = -1;
    QString output;
};

ScriptRun runScript(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MARVOK_DEMODB"), QStringLiteral(MARVOK_DEMODB_TOOL));
    env.insert(QStringLiteral("MARVOK_PROGRAM"), QStringLiteral(MARVOK_PROGRAM_FILE));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"), QStringList{kScript} + args);
    p.waitForFinished(600000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

// A folder of its own with a demo database of the given size in it.
class DemoDatabase {
public:
    explicit DemoDatabase(int patients) : m_dir(QDir::tempPath() + QStringLiteral("/marvok-demo-XXXXXX"))
    {
        m_run = runScript({QStringLiteral("--patients"), QString::number(patients), m_dir.path()});
    }
    ~DemoDatabase()
    {
        if (!QFileInfo::exists(file()))
            return;
        try {
            fb::Connection c;
            c.connect(params());
            c.dropDatabase();
        } catch (...) {
            // The folder goes anyway.
        }
    }
    const ScriptRun& run() const { return m_run; }
    QString folder() const { return m_dir.path(); }
    QString file() const { return m_dir.path() + QStringLiteral("/marvok.fdb"); }
    fb::ConnectParams params() const
    {
        fb::ConnectParams p = testAccount();
        p.database = QStringLiteral("localhost:") + file();
        return p;
    }
    // Every row of a statement, each as its values joined by "|".
    QStringList rows(const QString& sql) const
    {
        QStringList out;
        for (const QVariantList& row : selectRows(params(), sql)) {
            QStringList values;
            for (const QVariant& v : row)
                values << (v.isValid() ? v.toString() : QStringLiteral("<null>"));
            out << values.join(u'|');
        }
        return out;
    }
    qlonglong number(const QString& sql) const { return rows(sql).value(0).toLongLong(); }

private:
    QTemporaryDir m_dir;
    ScriptRun m_run;
};

const QStringList kGeneratorTables = {
    QStringLiteral("IRMAO"),      QStringLiteral("CONSULTA"),  QStringLiteral("REAVALIACAO"),
    QStringLiteral("INDICACAO"),  QStringLiteral("ORIENTACAO"), QStringLiteral("HISTORICO"),
    QStringLiteral("CARATER"),    QStringLiteral("TERAPEUTA"), QStringLiteral("BRINQUEDO"),
    QStringLiteral("ESCOLA"),     QStringLiteral("INSTRUCAO"), QStringLiteral("TIPO_ORIENTACAO")};

QString everyId()
{
    QStringList parts;
    for (const QString& t : kGeneratorTables)
        parts << QStringLiteral("select ID from ") + t;
    return parts.join(QStringLiteral(" union all "));
}

} // namespace

TEST(DemoDatabaseScript, FillsEveryTableWithinTheSchemasRules)
{
    DemoDatabase db(20);
    ASSERT_EQ(db.run().exitCode, 0) << db.run().output.toStdString();
    EXPECT_EQ(db.number(QStringLiteral("select count(*) from PACIENTE")), 20);
    for (const QString& table :
         kGeneratorTables + QStringList{QStringLiteral("PAIS"), QStringLiteral("BRINQUEDO_NA_CONSULTA")})
        EXPECT_GT(db.number(QStringLiteral("select count(*) from ") + table), 0) << table.toStdString();

    // Each statement counts the rows that break one rule.
    const QString phone = QStringLiteral(" not similar to '[0-9]{7,10}'");
    const struct {
        const char* rule;
        QString sql;
    } rules[] = {
        {"status A, S or F", QStringLiteral("select count(*) from PACIENTE where STATUS not in ('A', 'S', 'F')")},
        {"exit date exactly for the finished",
         QStringLiteral("select count(*) from PACIENTE where (STATUS = 'F' and SAIDA is null) or "
                        "(STATUS <> 'F' and SAIDA is not null)")},
        {"born before the registration, leaving after it",
         QStringLiteral("select count(*) from PACIENTE where NASCIMENTO >= CADASTRO or SAIDA < CADASTRO")},
        {"state from the list",
         QStringLiteral("select count(*) from PACIENTE where UF is null or position('/' || UF || '/' in "
                        "'/SP/MG/PR/RJ/SC/DF/ES/GO/MS/RS/BA/MT/TO/AL/SE/PB/PE/PI/RO/AC/AP/AM/CE/MA/PA/RN/RR/') = 0")},
        {"postal code of 8 digits",
         QStringLiteral("select count(*) from PACIENTE where CEP is null or CEP not similar to '[0-9]{8}'")},
        {"patient phones digits only",
         QStringLiteral("select count(*) from PACIENTE where FONE") + phone + QStringLiteral(" or FONE2") + phone},
        {"parent phones digits only", QStringLiteral("select count(*) from PAIS where FONE_RES") + phone +
                                          QStringLiteral(" or FONE_PROF") + phone + QStringLiteral(" or FONE_CEL") +
                                          phone},
        {"parents are a father and a mother",
         QStringLiteral("select count(*) from PAIS where TIPO not in ('P', 'M')")},
        {"parents born well before the child",
         QStringLiteral("select count(*) from PAIS F join PACIENTE P on P.ID = F.PACIENTE "
                        "where F.NASCIMENTO > dateadd(-15 year to P.NASCIMENTO)")},
        {"siblings born while the mother was of an age to have them",
         QStringLiteral("select count(*) from IRMAO I join PAIS M on M.PACIENTE = I.PACIENTE and M.TIPO = 'M' "
                        "where I.NASCIMENTO < dateadd(15 year to M.NASCIMENTO) or "
                        "I.NASCIMENTO > dateadd(46 year to M.NASCIMENTO)")},
        {"sessions with a time, between registration and exit",
         QStringLiteral("select count(*) from CONSULTA C join PACIENTE P on P.ID = C.PACIENTE "
                        "where C.HORA is null or C.DATA < P.CADASTRO or C.DATA > P.SAIDA")},
        {"notes between registration and exit",
         QStringLiteral("select count(*) from (select PACIENTE, DATA from REAVALIACAO union all "
                        "select PACIENTE, DATA from INDICACAO union all select PACIENTE, DATA from ORIENTACAO "
                        "union all select PACIENTE, DATA from HISTORICO) N join PACIENTE P on P.ID = N.PACIENTE "
                        "where N.DATA < P.CADASTRO or N.DATA > P.SAIDA")},
        {"every guidance type used",
         QStringLiteral("select count(*) from TIPO_ORIENTACAO T where not exists "
                        "(select 1 from ORIENTACAO O where O.TIPO = T.ID)")},
    };
    for (const auto& r : rules)
        EXPECT_EQ(db.number(r.sql), 0) << r.rule;

    // All three statuses, spread over several years, names with their accents.
    EXPECT_EQ(db.number(QStringLiteral("select count(distinct STATUS) from PACIENTE")), 3);
    EXPECT_GE(db.number(QStringLiteral("select count(distinct extract(year from DATA)) from CONSULTA")), 5);
    const QStringList names = db.rows(QStringLiteral("select NOME from PACIENTE"));
    EXPECT_TRUE(std::any_of(names.begin(), names.end(), [](const QString& n) {
        return std::any_of(n.begin(), n.end(), [](QChar c) { return c.unicode() > 127; });
    }));
    // The database is left as the program expects it: at its schema version, 8 KiB pages, forced writes on.
    EXPECT_EQ(db.number(QStringLiteral("select VERSAO from VERSAO_BANCO")), store::programSchemaVersion());
    EXPECT_EQ(db.rows(QStringLiteral("select MON$PAGE_SIZE, MON$FORCED_WRITES from MON$DATABASE")),
              QStringList{QStringLiteral("8192|1")});
}

TEST(DemoDatabaseScript, GeneratorsStandAboveEveryKey)
{
    DemoDatabase db(20);
    ASSERT_EQ(db.run().exitCode, 0) << db.run().output.toStdString();
    const qlonglong patients = db.number(QStringLiteral("select GEN_ID(\"GEN_PACIENTE\", 0) from RDB$DATABASE"));
    EXPECT_GE(patients, db.number(QStringLiteral("select max(ID) from PACIENTE")));
    const qlonglong ids = db.number(QStringLiteral("select GEN_ID(\"GERADOR\", 0) from RDB$DATABASE"));
    EXPECT_GE(ids, db.number(QStringLiteral("select max(ID) from (") + everyId() + u')'));
    // One number is never used twice across the tables that share GERADOR.
    EXPECT_EQ(db.number(QStringLiteral("select count(*) - count(distinct ID) from (") + everyId() + u')'), 0);
}

TEST(DemoDatabaseScript, SameSizeGivesTheSameDatabase)
{
    DemoDatabase first(20);
    DemoDatabase second(20);
    ASSERT_EQ(first.run().exitCode, 0) << first.run().output.toStdString();
    ASSERT_EQ(second.run().exitCode, 0) << second.run().output.toStdString();
    const QStringList tables = kGeneratorTables + QStringList{QStringLiteral("PACIENTE"), QStringLiteral("PAIS"),
                                                              QStringLiteral("BRINQUEDO_NA_CONSULTA")};
    for (const QString& t : tables) {
        // In the order of the first column, then the second (the two tables without ID).
        const QString sql = QStringLiteral("select * from %1 order by 1, 2").arg(t);
        const QStringList rows = first.rows(sql);
        EXPECT_FALSE(rows.isEmpty()) << t.toStdString();
        EXPECT_EQ(rows, second.rows(sql)) << t.toStdString();
    }
    const QString generators =
        QStringLiteral("select GEN_ID(\"GERADOR\", 0), GEN_ID(\"GEN_PACIENTE\", 0) from RDB$DATABASE");
    EXPECT_EQ(first.rows(generators), second.rows(generators));
}

TEST(DemoDatabaseScript, RefusesAnExistingFileAndBadArguments)
{
    DemoDatabase db(3);
    ASSERT_EQ(db.run().exitCode, 0) << db.run().output.toStdString();
    const QStringList before = db.rows(QStringLiteral("select ID, NOME from PACIENTE order by ID"));

    const ScriptRun again = runScript({db.folder()});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.output.contains(QStringLiteral(u"já existe"))) << again.output.toStdString();
    EXPECT_EQ(db.rows(QStringLiteral("select ID, NOME from PACIENTE order by ID")), before);

    QTemporaryDir empty(QDir::tempPath() + QStringLiteral("/marvok-demo-XXXXXX"));
    const QStringList bad[] = {{QStringLiteral("--patients"), QStringLiteral("0")},
                               {QStringLiteral("--patients"), QStringLiteral("muitos")},
                               {QStringLiteral("--patients")},
                               {QStringLiteral("--pacientes=5")},
                               {QStringLiteral("pasta1"), QStringLiteral("pasta2")}};
    for (const QStringList& args : bad) {
        const ScriptRun r = runScript(args + QStringList{empty.path()});
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString() << ": " << r.output.toStdString();
        EXPECT_FALSE(QFileInfo::exists(empty.path() + QStringLiteral("/marvok.fdb")));
    }
}
