#include "backup/backuptexts.h"
#include "backup/saferestore.h"
#include "backupfixture.h"
#include "core/clock.h"
#include "fb/statement.h"
#include "fb/transaction.h"

using namespace backuptexts;
using platform::MsgType;

namespace {

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
    // The database was left exactly as it was, and said so.
    void expectUnchanged(const QString& outcome = kUnchanged)
    {
        EXPECT_EQ(patientNames(db), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
        EXPECT_EQ(entries(db.folder()), QStringList{QStringLiteral("marvok.fdb")});
        ASSERT_EQ(messages.requests.size(), 1);
        EXPECT_EQ(messages.requests[0].type, MsgType::Error);
        EXPECT_TRUE(messages.requests[0].text.startsWith(kNotRestored + QStringLiteral("\r\r")))
            << messages.requests[0].text.toStdString();
        EXPECT_TRUE(messages.requests[0].text.endsWith(QStringLiteral("\r\r") + outcome))
            << messages.requests[0].text.toStdString();
        EXPECT_TRUE(dm.ZConnection1.connected());
        EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    }

    TestDatabase source{QStringLiteral("marvok origem XXXXXX")};
    int patientChanges = 0;
};

TEST_F(SafeRestoreTest, ReplacesTheRowsAndKeepsThePreviousDatabase)
{
    Clock::set(QDateTime(QDate(2024, 5, 17), QTime(9, 41, 7)));
    const QString file = backupOf(source, QStringLiteral(u"cópia \"boa\".bak"));

    EXPECT_TRUE(SafeRestore(dm).run(file));

    const QString previous = db.folder() + QStringLiteral("marvok-2024-05-17-094107.fdb");
    EXPECT_EQ(patientNames(db), (QStringList{QStringLiteral(u"Çécile"), QStringLiteral(u"Élio")}));
    EXPECT_EQ(namesIn(previous), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    EXPECT_EQ(entries(db.folder()), (QStringList{QStringLiteral("marvok-2024-05-17-094107.fdb"),
                                                 QStringLiteral("marvok.fdb")}));
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].type, MsgType::Information);
    EXPECT_EQ(messages.requests[0].text,
              kRestored + QStringLiteral("\r\r") + kPreviousKept + QStringLiteral("\r") + previous);
    // The first patient is shown, with the restored reference lists behind it.
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral(u"Çécile"), QStringLiteral(u"Élio")}));
    EXPECT_EQ(dm.qryPaciente.recNo(), 0);
    EXPECT_GE(patientChanges, 1);
    EXPECT_EQ(dm.qryPaciente.fieldByName(QStringLiteral("NomeTerapeuta")).asString(), QStringLiteral(u"Dra. Íris"));
    EXPECT_FALSE(QFile::exists(db.folder() + QStringLiteral("gbak")));
}

// Restoring a file that is not a sound backup of this program leaves the
// live database exactly as it was, open where the user was.
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

    EXPECT_FALSE(SafeRestore(dm).run(file));

    expectUnchanged();
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
    fb::ConnectParams p;
    p.database = QStringLiteral("localhost:") + dir.path() + QStringLiteral("/outro.fdb");
    p.user = QStringLiteral("SYSDBA");
    p.password = QStringLiteral("velkarbin");
    {
        fb::Connection c;
        c.create(p, 8192, false);
        fb::Transaction tx(c);
        fb::executeSql(tx, QStringLiteral("CREATE TABLE PACIENTE (ID INTEGER, NOME VARCHAR(40))"));
        tx.commit();
    }
    const QString file = backupFile(QStringLiteral("outro.bak"));
    ASSERT_TRUE(Gbak(Gbak::locate({})).run(Gbak::backupArguments(dir.path() + QStringLiteral("/outro.fdb"), file))
                    .succeeded());
    {
        fb::Connection c;
        c.connect(p);
        c.dropDatabase();
    }

    EXPECT_FALSE(SafeRestore(dm).run(file));

    expectUnchanged();
    EXPECT_TRUE(messages.requests[0].text.contains(QStringLiteral(u"não é uma cópia de segurança do Marvok")));
}

// A backup whose tables are all there but whose patient list cannot be
// opened is found out only after the swap: the previous database goes back.
TEST_F(SafeRestoreTest, AFailureAfterTheSwapPutsThePreviousDatabaseBack)
{
    source.exec(QStringLiteral("ALTER TABLE PACIENTE ALTER NOME TO NOME_ANTIGO"));
    const QString file = backupOf(source, QStringLiteral("antiga.bak"));

    EXPECT_FALSE(SafeRestore(dm).run(file));

    expectUnchanged(kPutBack);
    EXPECT_EQ(dm.qryPaciente.recNo(), 0);
}

TEST_F(SafeRestoreTest, ADatabaseOpenInAnotherProgramIsNotReplaced)
{
    const QString file = backupOf(source, QStringLiteral("boa.bak"));
    fb::Connection other;
    other.connect(db.connectParams());

    EXPECT_FALSE(SafeRestore(dm).run(file));

    other.disconnect();
    expectUnchanged();
    EXPECT_TRUE(messages.requests[0].text.contains(QStringLiteral("aberto em outro programa")));
}

// The database a restore keeps is itself a file "Restaurar..." takes back;
// a cut copy of it is refused like a cut backup.
TEST_F(SafeRestoreTest, TheDatabaseARestoreKeptBringsItsRowsBack)
{
    Clock::set(QDateTime(QDate(2024, 5, 17), QTime(9, 41, 7)));
    ASSERT_TRUE(SafeRestore(dm).run(backupOf(source, QStringLiteral("origem.bak"))));
    const QString previous = db.folder() + QStringLiteral("marvok-2024-05-17-094107.fdb");
    const QStringList restored{QStringLiteral(u"Çécile"), QStringLiteral(u"Élio")};

    const QString cut = backupFile(QStringLiteral("cortado.fdb"));
    const QByteArray whole = bytes(previous);
    write(cut, whole.left(whole.size() / 2));
    messages.requests.clear();
    EXPECT_FALSE(SafeRestore(dm).run(cut));
    EXPECT_EQ(patientNames(db), restored);
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].type, MsgType::Error);

    messages.requests.clear();
    EXPECT_TRUE(SafeRestore(dm).run(previous));
    EXPECT_EQ(patientNames(db), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    EXPECT_EQ(namesIn(db.folder() + QStringLiteral("marvok-2024-05-17-094107-2.fdb")), restored);
    EXPECT_EQ(entries(db.folder()), (QStringList{QStringLiteral("marvok-2024-05-17-094107-2.fdb"),
                                                 QStringLiteral("marvok-2024-05-17-094107.fdb"),
                                                 QStringLiteral("marvok.fdb")}));
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].type, MsgType::Information);
}

} // namespace
