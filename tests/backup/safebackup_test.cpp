#include "backup/backuptexts.h"
#include "backup/safebackup.h"
#include "backup/saferestore.h"
#include "backupfixture.h"
#include "dataset/dberror.h"

using namespace backuptexts;
using platform::MsgButton;
using platform::MsgType;

namespace {

// Every event of the work and every message box, in the order they came.
struct Journal {
    QStringList entries;
    BackupProgress last;
    BackupEvents events()
    {
        BackupEvents e;
        e.started = [this](const QString& title) { entries << QStringLiteral("started: ") + title; };
        e.progress = [this](const BackupProgress& p) { last = p; };
        e.finished = [this] { entries << QStringLiteral("finished"); };
        return e;
    }
};

class SafeBackupTest : public BackupTest {
protected:
    void SetUp() override
    {
        addPatient(db, 1, QStringLiteral(u"Zoé Araújo"));
        addPatient(db, 2, QStringLiteral(u"Ângela Conceição"));
        db.exec(QStringLiteral(u"INSERT INTO CONSULTA (ID, DATA, HORA, PACIENTE, OBSERVACOES) VALUES "
                               u"(10, '2012-04-02', '14:30:00', 2, 'Brincou com o caminhão; disse \"não\" à mãe.')"));
        dm.qryPaciente.open();
    }
    QStringList sessionNotes(const TestDatabase& of) const
    {
        QStringList notes;
        for (const QVariant& v : of.column(QStringLiteral("select OBSERVACOES from CONSULTA order by ID")))
            notes << v.toString();
        return notes;
    }
};

TEST_F(SafeBackupTest, WritesAVerifiedBackupThatRestoresToTheSameRows)
{
    dm.qryPaciente.last();
    Journal journal;
    const QString file = backupFile(QStringLiteral(u"cópia 'de' hoje.bak"));
    EXPECT_TRUE(SafeBackup(dm, journal.events()).run(file));

    EXPECT_EQ(journal.entries, (QStringList{QStringLiteral("started: ") + kBackupTitle, QStringLiteral("finished")}));
    // Every table of the database: the record's fifteen and the schema version's.
    EXPECT_EQ(journal.last.done, 16);
    EXPECT_EQ(journal.last.total, 16);
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].type, MsgType::Plain);
    EXPECT_EQ(messages.requests[0].text, kCreated);
    // Nothing but the backup is left behind, and the list is open again at its first patient.
    EXPECT_EQ(entries(files.path()), QStringList{QStringLiteral(u"cópia 'de' hoje.bak")});
    EXPECT_EQ(entries(db.folder()), QStringList{QStringLiteral("marvok.fdb")});
    EXPECT_EQ(dm.qryPaciente.recNo(), 0);
    EXPECT_EQ(currentName(), QStringLiteral(u"Ângela Conceição"));

    TestDatabase other(QStringLiteral("marvok outra pasta XXXXXX"));
    Tdm otherDm(other.folder(), testusers::administrator());
    EXPECT_TRUE(SafeRestore(otherDm).run(file));
    EXPECT_EQ(patientNames(other), patientNames(db));
    EXPECT_EQ(sessionNotes(other), sessionNotes(db));
}

// The old backup stays byte for byte whenever the new one is not known to be
// sound: the tool failed, or it said it succeeded but wrote what does not restore.
struct BadTool {
    const char* name;
    QByteArray script;
    QString said;
};

void PrintTo(const BadTool& tool, std::ostream* os) { *os << tool.name; }

class BadToolTest : public SafeBackupTest, public ::testing::WithParamInterface<BadTool> {};

TEST_P(BadToolTest, LeavesTheOldBackupByteForByte)
{
    installTool(GetParam().script);
    const QString file = backupFile(QStringLiteral("marvok.bak"));
    write(file, "a backup the user relies on");
    messages.answers.enqueue(MsgButton::Yes);
    dm.qryPaciente.last();

    EXPECT_FALSE(SafeBackup(dm).run(file));

    EXPECT_EQ(bytes(file), QByteArray("a backup the user relies on"));
    EXPECT_EQ(entries(files.path()), QStringList{QStringLiteral("marvok.bak")});
    EXPECT_EQ(entries(db.folder()), (QStringList{QStringLiteral("gbak"), QStringLiteral("marvok.fdb")}));
    ASSERT_EQ(messages.requests.size(), 2);
    EXPECT_EQ(messages.requests[0].text, kOverwrite);
    EXPECT_EQ(messages.requests[1].type, MsgType::Plain);
    EXPECT_EQ(messages.requests[1].text,
              kNotCreated + QStringLiteral("\r\r") + GetParam().said + QStringLiteral("\r\r") + kOldFileKept);
    EXPECT_TRUE(dm.ZConnection1.connected());
    EXPECT_EQ(dm.qryPaciente.recNo(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, BadToolTest,
    ::testing::Values(
        BadTool{"fails", "echo 'gbak: ERROR:disco cheio'\nexit 1\n", QStringLiteral(u"O gbak informou:\rdisco cheio")},
        BadTool{"writesWhatDoesNotRestore",
                "case \"$1\" in -b) for f; do :; done; echo 'isto não é uma cópia' > \"$f\"; exit 0;; esac\n"
                "exec /usr/bin/gbak \"$@\"\n",
                QStringLiteral(u"A cópia gravada não pôde ser conferida.\rO gbak informou:\r"
                               u"expected backup description record")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafeBackupTest, AnExistingFileAnsweredNoChangesNothing)
{
    installRecordingTool();
    const QString file = backupFile(QStringLiteral("marvok.bak"));
    write(file, "old");
    dm.qryPaciente.last();
    messages.answers.enqueue(MsgButton::No);
    Journal journal;

    EXPECT_FALSE(SafeBackup(dm, journal.events()).run(file));

    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].type, MsgType::Confirmation);
    EXPECT_EQ(messages.requests[0].buttons, (QList<MsgButton>{MsgButton::Yes, MsgButton::No}));
    EXPECT_EQ(bytes(file), QByteArray("old"));
    EXPECT_FALSE(toolRan());
    EXPECT_TRUE(journal.entries.isEmpty());
    EXPECT_EQ(dm.qryPaciente.recNo(), 1);   // never closed
}

TEST_F(SafeBackupTest, TheDatabaseItselfIsNeverTheBackupFile)
{
    installRecordingTool();
    EXPECT_FALSE(SafeBackup(dm).run(db.folder() + QStringLiteral("./marvok.fdb")));

    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].text, kNotCreated + QStringLiteral("\r\r") + kIsTheDatabase);
    EXPECT_FALSE(toolRan());
    EXPECT_EQ(patientNames(db).size(), 2);
}

// The edit is saved before anything is closed: one that cannot be saved stops
// the command there, before the tool runs, and stays on screen to be finished.
TEST_F(SafeBackupTest, APendingEditThatCannotBeSavedStopsBeforeTheTool)
{
    installRecordingTool();
    for (bool restore : {false, true}) {
        SCOPED_TRACE(restore ? "restore" : "backup");
        dm.qryPaciente.append();
        dm.qryPaciente.fieldByName(QStringLiteral("EMAIL")).setValue(QStringLiteral("mae@exemplo.com.br"));
        Journal journal;
        const QString file = backupFile(QStringLiteral("marvok.bak"));
        try {
            if (restore)
                SafeRestore(dm, journal.events()).run(file);
            else
                SafeBackup(dm, journal.events()).run(file);
            ADD_FAILURE() << "no error";
        } catch (const ds::EDatabaseError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Field 'NOME' must have a value"));
        }
        EXPECT_FALSE(toolRan());
        EXPECT_TRUE(journal.entries.isEmpty());
        EXPECT_TRUE(messages.requests.isEmpty());
        EXPECT_FALSE(QFile::exists(file));
        EXPECT_TRUE(dm.ZConnection1.connected());
        EXPECT_EQ(dm.qryPaciente.state(), ds::DataSetState::Insert);
        EXPECT_EQ(dm.qryPaciente.fieldByName(QStringLiteral("EMAIL")).asString(), QStringLiteral("mae@exemplo.com.br"));
        dm.qryPaciente.cancel();
    }
}

TEST_F(SafeBackupTest, WithoutAToolNothingIsTouched)
{
    const QString file = backupFile(QStringLiteral("marvok.bak"));
    for (bool restore : {false, true}) {
        try {
            if (restore)
                SafeRestore(dm, {}, {}).run(file);
            else
                SafeBackup(dm, {}, {}).run(file);
            ADD_FAILURE() << "no error";
        } catch (const EError& e) {
            EXPECT_EQ(e.message(), QStringLiteral(u"Gbak não encontrado."));
        }
    }
    EXPECT_TRUE(messages.requests.isEmpty());
    EXPECT_TRUE(dm.qryPaciente.isActive());
    EXPECT_FALSE(QFile::exists(file));
}

} // namespace
