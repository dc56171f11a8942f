#include "backup/saferestore.h"
#include "backupfixture.h"
#include "core/clock.h"
#include "fb/statement.h"
#include "fb/transaction.h"

namespace {

using Database = RestoreOutcome::Database;
using Step = SafeRestore::Step;

class SafeRestoreTest : public BackupTest {
protected:
    void SetUp() override
    {
        addPatient(db, 1, QStringLiteral("Ana"));
        addPatient(db, 2, QStringLiteral("Bruno"));
        addPatient(source, 7, QStringLiteral(u"Élio"));
        addPatient(source, 8, QStringLiteral(u"Çécile"));
        source.exec(QStringLiteral(u"INSERT INTO TERAPEUTA (ID, NOME) VALUES (3, 'Dra. Íris')"));
        source.exec(QStringLiteral("UPDATE PACIENTE SET TERAPEUTA = 3"));
        dm.PacienteAfterScrollCallBack = [this] { ++patientChanges; };
        dm.qryPaciente.open();
        dm.qryPaciente.last();
        patientChanges = 0;
    }
    ~SafeRestoreTest() override { Clock::set(std::nullopt); }

    QStringList namesIn(const QString& databaseFile) const
    {
        fb::ConnectParams p = db.connectParams();
        p.database = QStringLiteral("localhost:") + databaseFile;
        QStringList names;
        for (const QVariantList& row : selectRows(p, QStringLiteral("select NOME from PACIENTE order by NOME")))
            names << row.value(0).toString();
        return names;
    }
    // The restore failed and left the database as it was, open again.
    void expectUnchanged(const RestoreOutcome& outcome, Database database = Database::Unchanged)
    {
        EXPECT_FALSE(outcome.restored);
        EXPECT_FALSE(outcome.failure.reason.isEmpty());
        EXPECT_EQ(outcome.database, database);
        EXPECT_EQ(outcome.previous, QString());
        EXPECT_FALSE(outcome.reopenError);
        EXPECT_EQ(patientNames(db), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
        EXPECT_EQ(entries(db.folder()), QStringList{QStringLiteral("marvok.fdb")});
        EXPECT_TRUE(messages.requests.isEmpty());
        EXPECT_TRUE(dm.ZConnection1.connected());
        EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    }

    TestDatabase source{QStringLiteral("marvok origem XXXXXX")};
    int patientChanges = 0;
};

// Forced writes on: every page of a database reaches the disk at once.
int forcedWrites(const fb::ConnectParams& p)
{
    return selectRows(p, QStringLiteral("select MON$FORCED_WRITES from MON$DATABASE")).value(0).value(0).toInt();
}

TEST_F(SafeRestoreTest, ReplacesTheRowsAndKeepsThePreviousDatabase)
{
    Clock::set(QDateTime(QDate(2024, 5, 17), QTime(9, 41, 7)));
    // Both databases write every page at once; the copies the server makes keep that.
    for (const TestDatabase* d : {&db, &source})
        fb::setForcedWrites(fb::parseLocation(d->location()), testAccount(), true);
    const QString file = backupOf(source, QStringLiteral(u"cópia \"boa\".bak"));

    const RestoreOutcome outcome = SafeRestore(dm).run(file);

    const QString previous = db.folder() + QStringLiteral("marvok-2024-05-17-094107.fdb");
    EXPECT_TRUE(outcome.restored) << outcome.failure.reason.toStdString() << outcome.failure.details.toStdString();
    EXPECT_EQ(outcome.previous, previous);
    EXPECT_EQ(patientNames(db), (QStringList{QStringLiteral(u"Çécile"), QStringLiteral(u"Élio")}));
    EXPECT_EQ(namesIn(previous), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    EXPECT_EQ(entries(db.folder()), (QStringList{QStringLiteral("marvok-2024-05-17-094107.fdb"),
                                                 QStringLiteral("marvok.fdb")}));
    fb::ConnectParams kept = db.connectParams();
    kept.database = QStringLiteral("localhost:") + previous;
    EXPECT_EQ(forcedWrites(db.connectParams()), 1);
    EXPECT_EQ(forcedWrites(kept), 1);
    EXPECT_TRUE(messages.requests.isEmpty());
    // The first patient is shown, with the restored reference lists behind it.
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral(u"Çécile"), QStringLiteral(u"Élio")}));
    EXPECT_EQ(dm.qryPaciente.recNo(), 0);
    EXPECT_GE(patientChanges, 1);
    EXPECT_EQ(dm.qryPaciente.fieldByName(QStringLiteral("NomeTerapeuta")).asString(), QStringLiteral(u"Dra. Íris"));
}

// Restoring a file that is not a sound backup of this program leaves the
// live database exactly as it was, open where the user was; the reason is
// the program's own, the server's words come with it.
struct BadFile {
    const char* name;
    std::function<QByteArray(const QByteArray& good)> make;
};

void PrintTo(const BadFile& file, std::ostream* os) { *os << file.name; }

QByteArray cutAt(const QByteArray& good, qsizetype size) { return good.left(size); }

QByteArray flipped(QByteArray good, qsizetype at)
{
    good[at] = char(good[at] ^ 0x01);
    return good;
}

class BadFileTest : public SafeRestoreTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadFileTest, LeavesTheLiveDatabaseAsItWas)
{
    const QByteArray good = bytes(backupOf(source, QStringLiteral("boa.bak")));
    const QString file = backupFile(QStringLiteral("ruim.bak"));
    write(file, GetParam().make(good));

    const RestoreOutcome outcome = SafeRestore(dm).run(file);

    expectUnchanged(outcome);
    EXPECT_EQ(outcome.failure.reason,
              QStringLiteral(u"O arquivo escolhido não é uma cópia de segurança que possa ser restaurada: está "
                             u"incompleto, danificado ou é de outro tipo."));
    EXPECT_FALSE(outcome.failure.details.isEmpty());
    EXPECT_EQ(dm.qryPaciente.recNo(), 1);
    EXPECT_EQ(patientChanges, 0);
}

// Where a backup's meaningful bytes end: it is padded with zeros.
qsizetype meaningful(const QByteArray& good)
{
    qsizetype end = good.size();
    while (end > 0 && good[end - 1] == '\0')
        --end;
    return end;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(BadFile{"empty", [](const QByteArray&) { return QByteArray(); }},
                      BadFile{"cutAtTheStart", [](const QByteArray& g) { return cutAt(g, 100); }},
                      BadFile{"cutHalfway", [](const QByteArray& g) { return cutAt(g, g.size() / 2); }},
                      BadFile{"cutAtTheEnd", [](const QByteArray& g) { return cutAt(g, meaningful(g) - 1); }},
                      BadFile{"flippedInTheFirstRecord", [](const QByteArray& g) { return flipped(g, 0); }},
                      BadFile{"flippedInTheVersion", [](const QByteArray& g) { return flipped(g, 1); }},
                      BadFile{"text", [](const QByteArray&) { return QByteArray("Nomes dos pacientes:\nAna\n"); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafeRestoreTest, ABackupOfAnotherDatabaseIsRefused)
{
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::Permissions(0x7777));
    fb::ConnectParams p = testAccount();
    p.database = QStringLiteral("localhost:") + dir.path() + QStringLiteral("/outro.fdb");
    {
        fb::Connection c;
        c.create(p, 8192, false);
        fb::Transaction tx(c);
        fb::executeSql(tx, QStringLiteral("CREATE TABLE PACIENTE (ID INTEGER, NOME VARCHAR(40))"));
        tx.commit();
    }
    const QString file = backupFile(QStringLiteral("outro.bak"));
    writeBackup(p.database, file);
    {
        fb::Connection c;
        c.connect(p);
        c.dropDatabase();
    }

    const RestoreOutcome outcome = SafeRestore(dm).run(file);

    expectUnchanged(outcome);
    EXPECT_TRUE(outcome.failure.reason.contains(QStringLiteral(u"não é uma cópia de segurança do Marvok")));
}

TEST_F(SafeRestoreTest, ADatabaseOpenInAnotherProgramIsNotReplaced)
{
    const QString file = backupOf(source, QStringLiteral("boa.bak"));
    fb::Connection other;
    other.connect(db.connectParams());

    const RestoreOutcome outcome = SafeRestore(dm).run(file);

    other.disconnect();
    expectUnchanged(outcome);
    EXPECT_TRUE(outcome.failure.reason.contains(QStringLiteral("aberto em outro programa")));
}

// A failure at any step after the live database was closed loses nothing:
// before the database is deleted it is as it was; after, its previous
// contents are put back from the kept copy, and the copy goes once it is no
// longer needed; when even that fails, the copy stays and is named. Every
// step here is a real one; the failing one is refused as a server would.
struct StepFailure {
    const char* name;
    QList<Step> failing;
    Database database;
};

void PrintTo(const StepFailure& failure, std::ostream* os) { *os << failure.name; }

class StepFailureTest : public SafeRestoreTest, public ::testing::WithParamInterface<StepFailure> {};

TEST_P(StepFailureTest, LosesNothing)
{
    Clock::set(QDateTime(QDate(2024, 5, 17), QTime(9, 41, 7)));
    const QString file = backupOf(source, QStringLiteral("boa.bak"));
    SafeRestore restore(dm);
    for (Step step : GetParam().failing)
        restore.failAt(step);

    const RestoreOutcome outcome = restore.run(file);

    if (GetParam().database != Database::PreviousKept) {
        expectUnchanged(outcome, GetParam().database);
        EXPECT_EQ(dm.qryPaciente.recNo(), 0);
        return;
    }
    // The live database is gone; its rows are in the copy the outcome names.
    const QString previous = db.folder() + QStringLiteral("marvok-2024-05-17-094107.fdb");
    EXPECT_FALSE(outcome.restored);
    EXPECT_EQ(outcome.database, Database::PreviousKept);
    EXPECT_EQ(outcome.previous, previous);
    EXPECT_TRUE(outcome.reopenError);
    EXPECT_EQ(namesIn(previous), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    EXPECT_EQ(entries(db.folder()), QStringList{QStringLiteral("marvok-2024-05-17-094107.fdb")});
    EXPECT_FALSE(dm.ZConnection1.connected());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepFailureTest,
    ::testing::Values(StepFailure{"keepingThePrevious", {Step::KeepPrevious}, Database::Unchanged},
                      StepFailure{"removingTheLive", {Step::RemoveLive}, Database::Unchanged},
                      StepFailure{"removingTheLiveWithErrors", {Step::RemoveLiveWithErrors}, Database::PutBack},
                      StepFailure{"copyingIn", {Step::CopyIn}, Database::PutBack},
                      StepFailure{"opening", {Step::Open}, Database::PutBack},
                      StepFailure{"copyingInAndPuttingBack", {Step::CopyIn, Step::PutBack}, Database::PreviousKept}),
    [](const auto& info) { return std::string(info.param.name); });

// A backup whose tables are all there but whose patient list cannot be
// opened is found out only after the swap: the previous database goes back.
TEST_F(SafeRestoreTest, ABackupThatDoesNotOpenPutsThePreviousDatabaseBack)
{
    source.exec(QStringLiteral("DROP TRIGGER AUD_PACIENTE"));   // it names the column
    source.exec(QStringLiteral("ALTER TABLE PACIENTE ALTER NOME TO NOME_ANTIGO"));
    const QString file = backupOf(source, QStringLiteral("antiga.bak"));

    const RestoreOutcome outcome = SafeRestore(dm).run(file);

    expectUnchanged(outcome, Database::PutBack);
    EXPECT_EQ(outcome.failure.reason, QStringLiteral(u"O banco de dados restaurado não pôde ser aberto."));
    EXPECT_TRUE(outcome.failure.details.contains(QStringLiteral("NOME"))) << outcome.failure.details.toStdString();
    EXPECT_EQ(dm.qryPaciente.recNo(), 0);
}

// The database a restore keeps is itself a file "Restaurar..." takes back,
// read by the server; a cut copy of it is refused like a cut backup.
TEST_F(SafeRestoreTest, TheDatabaseARestoreKeptBringsItsRowsBack)
{
    Clock::set(QDateTime(QDate(2024, 5, 17), QTime(9, 41, 7)));
    ASSERT_TRUE(SafeRestore(dm).run(backupOf(source, QStringLiteral("origem.bak"))).restored);
    const QString previous = db.folder() + QStringLiteral("marvok-2024-05-17-094107.fdb");
    const QStringList restored{QStringLiteral(u"Çécile"), QStringLiteral(u"Élio")};

    const QString cut = db.folder() + QStringLiteral("cortado.fdb");
    const QByteArray whole = bytes(previous);
    write(cut, whole.left(whole.size() / 2));
    const RestoreOutcome refused = SafeRestore(dm).run(cut);
    QFile::remove(cut);
    EXPECT_FALSE(refused.restored);
    EXPECT_EQ(refused.database, Database::Unchanged);
    EXPECT_EQ(patientNames(db), restored);

    const RestoreOutcome back = SafeRestore(dm).run(previous);
    EXPECT_TRUE(back.restored) << back.failure.reason.toStdString() << back.failure.details.toStdString();
    EXPECT_EQ(back.previous, db.folder() + QStringLiteral("marvok-2024-05-17-094107-2.fdb"));
    EXPECT_EQ(patientNames(db), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    EXPECT_EQ(namesIn(back.previous), restored);
    EXPECT_EQ(entries(db.folder()), (QStringList{QStringLiteral("marvok-2024-05-17-094107-2.fdb"),
                                                 QStringLiteral("marvok-2024-05-17-094107.fdb"),
                                                 QStringLiteral("marvok.fdb")}));
    EXPECT_TRUE(messages.requests.isEmpty());
}

} // namespace
