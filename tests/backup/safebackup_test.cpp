#include "backup/backuptexts.h"
#include "backup/safebackup.h"
#include "backup/saferestore.h"
#include "backupfixture.h"
#include "dataset/dberror.h"

using namespace backuptexts;

namespace {

// Every event of the work, in the order they came.
struct Journal {
    QStringList entries;
    QList<BackupProgress> progress;
    BackupEvents events()
    {
        BackupEvents e;
        e.started = [this](const QString& title) { entries << QStringLiteral("started: ") + title; };
        e.progress = [this](const BackupProgress& p) { progress << p; };
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
    const BackupOutcome outcome = SafeBackup(dm, journal.events()).run(file);

    EXPECT_TRUE(outcome.created()) << outcome.failure.reason.toStdString() << outcome.failure.details.toStdString();
    EXPECT_FALSE(outcome.reopenError);
    EXPECT_EQ(journal.entries, (QStringList{QStringLiteral("started: ") + kBackupTitle, QStringLiteral("finished")}));
    // The tables pass by as the server checks the backup it is writing: the record's fifteen, the practice's,
    // the schema version's, the audit trail's two and the access log's.
    ASSERT_FALSE(journal.progress.isEmpty());
    EXPECT_TRUE(std::any_of(journal.progress.begin(), journal.progress.end(), [](const BackupProgress& p) {
        return p.step == kWriting + QStringLiteral(": tabela PACIENTE");
    }));
    EXPECT_EQ(journal.progress.last().done, 20);
    EXPECT_EQ(journal.progress.last().total, 20);
    EXPECT_TRUE(messages.requests.isEmpty());   // the window tells the user, not the backup
    // Nothing but the backup is left behind, and the list is open again at its first patient.
    EXPECT_EQ(entries(files.path()), QStringList{QStringLiteral(u"cópia 'de' hoje.bak")});
    EXPECT_EQ(entries(db.folder()), QStringList{QStringLiteral("marvok.fdb")});
    EXPECT_EQ(dm.qryPaciente.recNo(), 0);
    EXPECT_EQ(currentName(), QStringLiteral(u"Ângela Conceição"));

    TestDatabase other(QStringLiteral("marvok outra pasta XXXXXX"));
    Tdm otherDm(other.folder(), testusers::administrator());
    EXPECT_TRUE(SafeRestore(otherDm).run(file).restored);
    EXPECT_EQ(patientNames(other), patientNames(db));
    EXPECT_EQ(sessionNotes(other), sessionNotes(db));
}

// The old backup stays byte for byte whenever the new one is not known to be
// sound, and the database is open again at its first patient: the server
// cannot make the scratch database it checks the backup in (its folder is
// closed to it), or the chosen folder takes no new file.
TEST_F(SafeBackupTest, AFailureLeavesTheOldBackupByteForByte)
{
    const QString file = backupFile(QStringLiteral("marvok.bak"));
    write(file, "a backup the user relies on");
    struct Case {
        const char* name;
        QString file;
        QString reason;
    } cases[] = {
        {"uncheckable", file,
         QStringLiteral(u"O servidor do banco de dados não conseguiu criar um banco de dados na pasta do banco de "
                        u"dados do Marvok.")},
        {"unwritable", files.path() + QStringLiteral(u"/não existe/marvok.bak"),
         QStringLiteral(u"Não foi possível criar um arquivo na pasta escolhida.")},
    };
    // The server's own user may no longer create files beside the database.
    QFile::setPermissions(db.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                           QFile::ExeOther);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dm.qryPaciente.last();
        const BackupOutcome outcome = SafeBackup(dm).run(c.file);

        EXPECT_EQ(outcome.result, BackupOutcome::Result::Failed);
        EXPECT_EQ(outcome.failure.reason, c.reason);
        EXPECT_FALSE(outcome.failure.details.isEmpty());   // the server's or the system's words
        EXPECT_EQ(outcome.oldFileKept, c.file == file);
        EXPECT_EQ(bytes(file), QByteArray("a backup the user relies on"));
        EXPECT_EQ(entries(files.path()), QStringList{QStringLiteral("marvok.bak")});
        EXPECT_EQ(entries(db.folder()), QStringList{QStringLiteral("marvok.fdb")});
        EXPECT_TRUE(dm.ZConnection1.connected());
        EXPECT_EQ(dm.qryPaciente.recNo(), c.file == file ? 0 : 1);   // closed only to be backed up
    }
    QFile::setPermissions(db.folder(), QFile::Permissions(0x7777));
}

// A copy the program's end or a power loss cut short leaves the database
// without forced writes; the next backup gives them back first.
TEST_F(SafeBackupTest, GivesTheDatabaseItsForcedWritesBack)
{
    const QString forced = QStringLiteral("select MON$FORCED_WRITES from MON$DATABASE");
    fb::setForcedWrites(fb::parseLocation(db.location()), testAccount(), false);
    ASSERT_EQ(db.scalar(forced).toInt(), 0);

    const BackupOutcome outcome = SafeBackup(dm).run(backupFile(QStringLiteral("marvok.bak")));

    EXPECT_TRUE(outcome.created()) << outcome.failure.reason.toStdString() << outcome.failure.details.toStdString();
    EXPECT_EQ(db.scalar(forced).toInt(), 1);
}

TEST_F(SafeBackupTest, TheDatabaseItselfIsNeverTheBackupFile)
{
    SafeBackup backup(dm);
    const QString file = db.folder() + QStringLiteral("./marvok.fdb");
    EXPECT_TRUE(backup.isTheDatabase(file));
    EXPECT_EQ(backup.run(file).result, BackupOutcome::Result::IsTheDatabase);

    EXPECT_EQ(patientNames(db).size(), 2);
    EXPECT_EQ(entries(db.folder()), QStringList{QStringLiteral("marvok.fdb")});
    EXPECT_FALSE(backup.isTheDatabase(backupFile(QStringLiteral("marvok.fdb"))));
}

// The edit is saved before anything is closed: one that cannot be saved stops
// the command there, before the server is asked anything, and stays on
// screen to be finished.
TEST_F(SafeBackupTest, APendingEditThatCannotBeSavedStopsBeforeTheServerWorks)
{
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
        EXPECT_TRUE(journal.entries.isEmpty());
        EXPECT_FALSE(QFile::exists(file));
        EXPECT_EQ(entries(db.folder()), QStringList{QStringLiteral("marvok.fdb")});
        EXPECT_TRUE(dm.ZConnection1.connected());
        EXPECT_EQ(dm.qryPaciente.state(), ds::DataSetState::Insert);
        EXPECT_EQ(dm.qryPaciente.fieldByName(QStringLiteral("EMAIL")).asString(), QStringLiteral("mae@exemplo.com.br"));
        dm.qryPaciente.cancel();
    }
}

} // namespace
