// Writing the change log of a data set back to its table.

#include "dataset/connection.h"
#include "dataset/dberror.h"
#include "dataset/sqldataset.h"
#include "fb/failpoint.h"
#include "fb/fberror.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

struct Refused {
    QString message;
    ds::UpdateKind kind;
    QString name;
};

class ApplyUpdatesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                               "VALUES (7, 'Ana', '2005-06-10', '2011-03-05', 'A')"));
        conn.settings = db.connectParams();
    }

    // Records every refusal and undoes it, as the data module does.
    void recordRefusals(ds::DataSet& d)
    {
        d.onReconcileError = [this](ds::DataSet& x, const EError& e, ds::UpdateKind kind, const ds::Row& row) {
            const ds::Field* name = x.findField(QStringLiteral("NOME"));
            refused.append({e.message(), kind, name ? row.values[name->dataIndex()].toString() : QString()});
            return ds::ReconcileAction::Cancel;
        };
    }

    void addSibling(int id, const char* name, const char* born) const
    {
        db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (%1, 7, '%2', '%3')")
                    .arg(id)
                    .arg(QString::fromLatin1(name), QString::fromLatin1(born)));
    }

    static void set(ds::DataSet& d, const char* field, const QVariant& value)
    {
        d.fieldByName(QString::fromLatin1(field)).setValue(value);
    }

    void dropAttachment() { db.dropAttachment(conn.handle()); }

    QString parent() const
    {
        return db
            .scalar(QStringLiteral("select NOME || '|' || coalesce(PROFISSAO, '-') || '|' || "
                                   "coalesce(NASCIMENTO, '-') from PAIS where PACIENTE = 7"))
            .toString();
    }

    TestDatabase db;
    ds::Connection conn;
    QList<Refused> refused;
};

} // namespace

TEST_F(ApplyUpdatesTest, ARowWithoutKeyAndWithEmptyColumnsCanBeInsertedChangedAgainAndDeleted)
{
    ds::SqlDataSet pais(QStringLiteral("pais"), &conn, QStringLiteral("SELECT * FROM PAIS WHERE PACIENTE = 7"));
    recordRefusals(pais);
    pais.open();
    pais.append();
    set(pais, "PACIENTE", 7);
    set(pais, "TIPO", QStringLiteral("P"));
    set(pais, "NOME", QStringLiteral(u"João"));
    pais.post();
    EXPECT_TRUE(parent().isEmpty());   // nothing is written before the apply
    pais.applyUpdates();
    EXPECT_EQ(parent(), QStringLiteral(u"João|-|-"));
    EXPECT_FALSE(pais.hasPendingChanges());

    // Each UPDATE finds the row by what the previous one wrote, empty columns included.
    pais.edit();
    set(pais, "NOME", QStringLiteral(u"João Pedro"));
    pais.post();
    pais.applyUpdates();
    pais.edit();
    set(pais, "PROFISSAO", QStringLiteral("Pedreiro"));
    pais.post();
    pais.applyUpdates();
    EXPECT_EQ(parent(), QStringLiteral(u"João Pedro|Pedreiro|-"));

    pais.deleteRecord();
    pais.applyUpdates();
    EXPECT_TRUE(refused.isEmpty()) << refused.value(0).message.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from PAIS")).toInt(), 0);
}

TEST_F(ApplyUpdatesTest, OneRefusalRollsBackTheWholeApplyAndTheOtherChangesStayPending)
{
    addSibling(1, "Bia", "2003-01-01");
    addSibling(2, "Caio", "2007-01-01");
    ds::SqlDataSet irmaos(QStringLiteral("irmaos"), &conn, QStringLiteral("SELECT * FROM IRMAO ORDER BY ID"));
    recordRefusals(irmaos);
    irmaos.open();
    db.exec(QStringLiteral("UPDATE IRMAO SET NOME = 'Caio Lima' WHERE ID = 2"));   // another user

    irmaos.edit();
    set(irmaos, "NOME", QStringLiteral("Bia Souza"));
    irmaos.post();
    irmaos.next();
    irmaos.edit();
    set(irmaos, "NOME", QStringLiteral("Caio Rocha"));
    irmaos.post();
    irmaos.applyUpdates();

    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused[0].message, QStringLiteral("Record not found or changed by another user"));
    EXPECT_EQ(refused[0].kind, ds::UpdateKind::Modify);
    EXPECT_EQ(refused[0].name, QStringLiteral("Caio Rocha"));
    EXPECT_EQ(db.column(QStringLiteral("select NOME from IRMAO order by ID")),
              (QVariantList{QStringLiteral("Bia"), QStringLiteral("Caio Lima")}));
    EXPECT_EQ(irmaos.fieldByName(QStringLiteral("NOME")).asString(), QStringLiteral("Caio"));   // undone

    // The change that was not refused goes with the next apply.
    irmaos.applyUpdates();
    EXPECT_EQ(db.scalar(QStringLiteral("select NOME from IRMAO where ID = 1")).toString(), QStringLiteral("Bia Souza"));
    EXPECT_FALSE(irmaos.hasPendingChanges());
}

TEST_F(ApplyUpdatesTest, TwoMatchingRowsAndDatabaseErrorsAreRefusedWithTheirMessages)
{
    addSibling(1, "Bia", "2003-01-01");
    addSibling(2, "Caio", "2003-01-01");
    // Without the key column the two siblings born on the same day look alike.
    ds::SqlDataSet twins(QStringLiteral("twins"), &conn, QStringLiteral("SELECT PACIENTE, NASCIMENTO FROM IRMAO"));
    recordRefusals(twins);
    twins.open();
    twins.deleteRecord();
    twins.applyUpdates();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused[0].message, QStringLiteral("Update affected more than 1 record."));
    EXPECT_EQ(refused[0].kind, ds::UpdateKind::Delete);
    EXPECT_EQ(twins.recordCount(), 2);   // the row is back
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from IRMAO")).toInt(), 2);

    ds::SqlDataSet irmaos(QStringLiteral("irmaos"), &conn, QStringLiteral("SELECT * FROM IRMAO"));
    recordRefusals(irmaos);
    irmaos.open();
    irmaos.append();
    set(irmaos, "ID", 3);
    set(irmaos, "PACIENTE", 99);   // no such patient
    set(irmaos, "NOME", QStringLiteral("Davi"));
    set(irmaos, "NASCIMENTO", QDate(2009, 1, 1));
    irmaos.post();
    irmaos.applyUpdates();
    ASSERT_EQ(refused.size(), 2);
    EXPECT_TRUE(refused[1].message.contains(QStringLiteral("FK_IRMAO_PACIENTE"))) << refused[1].message.toStdString();
    EXPECT_EQ(refused[1].kind, ds::UpdateKind::Insert);
    EXPECT_EQ(irmaos.recordCount(), 2);   // the new row is gone

    // Nobody to hear of a refusal: it is raised, and the change stays pending.
    irmaos.onReconcileError = nullptr;
    irmaos.first();
    irmaos.edit();
    set(irmaos, "PACIENTE", 99);
    irmaos.post();
    EXPECT_THROW(irmaos.applyUpdates(), ds::EDatabaseError);
    EXPECT_TRUE(irmaos.hasPendingChanges());
}

// Found by the two-copies run: rows used to be found without their memos, so
// a copy holding a stale memo overwrote or deleted the other copy's text.
TEST_F(ApplyUpdatesTest, AMemoChangedByAnotherCopyRefusesTheChangeAndTheDeletion)
{
    db.exec(QStringLiteral("INSERT INTO CONSULTA (ID, DATA, PACIENTE, OBSERVACOES) VALUES (1, '2011-03-05', 7, 'antes')"));
    db.exec(QStringLiteral("INSERT INTO CONSULTA (ID, DATA, PACIENTE) VALUES (2, '2011-03-06', 7)"));
    ds::SqlDataSet sessions(QStringLiteral("sessions"), &conn, QStringLiteral("SELECT * FROM CONSULTA ORDER BY ID"));
    recordRefusals(sessions);
    sessions.open();
    db.exec(QStringLiteral("UPDATE CONSULTA SET OBSERVACOES = 'da outra cópia' WHERE ID = 1"));

    sessions.edit();
    set(sessions, "OBSERVACOES", QStringLiteral("desta cópia"));
    sessions.post();
    sessions.applyUpdates();
    sessions.deleteRecord();
    sessions.applyUpdates();
    ASSERT_EQ(refused.size(), 2);
    EXPECT_EQ(refused[0].message, QStringLiteral("Record not found or changed by another user"));
    EXPECT_EQ(refused[1].kind, ds::UpdateKind::Delete);
    EXPECT_EQ(db.scalar(QStringLiteral("select OBSERVACOES from CONSULTA where ID = 1")).toString(),
              QStringLiteral("da outra cópia"));

    // An unchanged memo, empty or not, still finds its row.
    sessions.last();
    sessions.edit();
    set(sessions, "OBSERVACOES", QStringLiteral("primeira nota"));
    sessions.post();
    sessions.applyUpdates();
    EXPECT_EQ(refused.size(), 2);
    sessions.close();
    sessions.open();
    sessions.last();
    sessions.deleteRecord();
    sessions.applyUpdates();
    EXPECT_EQ(refused.size(), 2);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from CONSULTA")).toInt(), 1);
}

TEST_F(ApplyUpdatesTest, ALostConnectionIsReleasedAndTheNextOperationAttachesAgain)
{
    ds::SqlDataSet pais(QStringLiteral("pais"), &conn, QStringLiteral("SELECT * FROM PAIS"));
    recordRefusals(pais);
    pais.open();
    dropAttachment();

    // The open after the drop finds the attachment dead and lets it go ...
    pais.close();
    try {
        pais.open();
        FAIL() << "the connection is gone";
    } catch (const ds::EConnectionLost& e) {
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral(u"Não foi possível comunicar com o servidor do banco de dados."))) << e.what();
    }
    EXPECT_FALSE(conn.connected());
    // ... and the next one attaches again by itself.
    pais.open();
    EXPECT_TRUE(conn.connected());

    // A save that finds the connection broken keeps its change and says so.
    dropAttachment();
    pais.append();
    set(pais, "PACIENTE", 7);
    set(pais, "TIPO", QStringLiteral("M"));
    set(pais, "NOME", QStringLiteral("Maria"));
    pais.post();
    try {
        pais.applyUpdates();
        FAIL() << "the connection is gone";
    } catch (const ds::EConnectionLost& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral(u"As alterações continuam na tela"))) << e.what();
    }
    EXPECT_TRUE(refused.isEmpty());
    EXPECT_TRUE(pais.hasPendingChanges());
    EXPECT_EQ(pais.recordCount(), 1);

    pais.applyUpdates();   // attaches again and sends it
    EXPECT_EQ(db.column(QStringLiteral("select NOME from PAIS")), QVariantList{QStringLiteral("Maria")});
    EXPECT_FALSE(pais.hasPendingChanges());
    EXPECT_TRUE(refused.isEmpty());
}

TEST_F(ApplyUpdatesTest, AClosingDataSetAppliesItsChangesFirstAndStaysOpenWhenItCannot)
{
    ds::SqlDataSet pais(QStringLiteral("pais"), &conn, QStringLiteral("SELECT * FROM PAIS"));
    pais.open();
    pais.append();
    set(pais, "PACIENTE", 7);
    set(pais, "TIPO", QStringLiteral("P"));
    set(pais, "NOME", QStringLiteral(u"João"));
    pais.post();   // pending: nobody applied it

    // The server cannot be reached: the close fails and keeps the change.
    dropAttachment();
    const fb::ConnectParams reachable = conn.settings;
    conn.settings.database = QStringLiteral("127.0.0.1/1:") + db.folder() + QStringLiteral("marvok.fdb");
    EXPECT_THROW(pais.close(), ds::EConnectionLost);
    EXPECT_TRUE(pais.isActive());
    EXPECT_TRUE(pais.hasPendingChanges());

    conn.settings = reachable;
    pais.close();
    EXPECT_FALSE(pais.isActive());
    EXPECT_EQ(parent(), QStringLiteral(u"João|-|-"));
}

// A commit whose answer never came back may or may not have been done; the
// next apply finds out in the table and sends only what is not there, so
// that nothing is written twice nor undone on screen.
TEST_F(ApplyUpdatesTest, AChangeWhoseCommitWentUnansweredIsWrittenOnceAndOnlyOnce)
{
    enum class Change { Insert, EditNote, Delete, InsertThenEditAgain, InsertThenDelete };
    struct Case {
        Change change;
        fb::FailPoint failure;
        QVariantList rows;   // ID | OBSERVACOES in the table at the end
        int shown;           // rows in the data set at the end
    };
    const QVariantList original{QStringLiteral("1|antes")};
    const QVariantList added{QStringLiteral("1|antes"), QStringLiteral("2|nova")};
    const Case cases[] = {
        {Change::Insert, fb::FailPoint::CommitAnswerLost, added, 2},
        {Change::Insert, fb::FailPoint::CommitNotSent, added, 2},
        {Change::EditNote, fb::FailPoint::CommitAnswerLost, {QStringLiteral("1|depois")}, 1},
        {Change::EditNote, fb::FailPoint::CommitNotSent, {QStringLiteral("1|depois")}, 1},
        {Change::Delete, fb::FailPoint::CommitAnswerLost, {}, 0},
        {Change::Delete, fb::FailPoint::CommitNotSent, {}, 0},
        {Change::InsertThenEditAgain, fb::FailPoint::CommitAnswerLost,
         {QStringLiteral("1|antes"), QStringLiteral("2|de novo")}, 2},
        {Change::InsertThenEditAgain, fb::FailPoint::CommitNotSent,
         {QStringLiteral("1|antes"), QStringLiteral("2|de novo")}, 2},
        {Change::InsertThenDelete, fb::FailPoint::CommitAnswerLost, original, 1},
        {Change::InsertThenDelete, fb::FailPoint::CommitNotSent, original, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.change) * 10 + int(c.failure));
        db.exec(QStringLiteral("DELETE FROM CONSULTA"));
        db.exec(QStringLiteral("INSERT INTO CONSULTA (ID, DATA, PACIENTE, OBSERVACOES) VALUES (1, '2011-03-05', 7, 'antes')"));
        refused.clear();
        ds::SqlDataSet sessions(QStringLiteral("sessions"), &conn, QStringLiteral("SELECT * FROM CONSULTA ORDER BY ID"));
        recordRefusals(sessions);
        sessions.open();
        switch (c.change) {
        case Change::EditNote:
            sessions.edit();
            set(sessions, "OBSERVACOES", QStringLiteral("depois"));   // the memo alone: the other columns stay
            break;
        case Change::Delete:
            sessions.deleteRecord();
            break;
        default:
            sessions.append();
            set(sessions, "ID", 2);
            set(sessions, "DATA", QDate(2011, 3, 12));
            set(sessions, "PACIENTE", 7);
            set(sessions, "OBSERVACOES", QStringLiteral("nova"));
        }
        if (sessions.isEditing())
            sessions.post();
        fb::armFailPoint(c.failure);
        EXPECT_THROW(sessions.applyUpdates(), ds::EConnectionLost);
        EXPECT_TRUE(sessions.hasPendingChanges());

        if (c.change == Change::InsertThenEditAgain) {
            sessions.last();
            sessions.edit();
            set(sessions, "OBSERVACOES", QStringLiteral("de novo"));
            sessions.post();
        } else if (c.change == Change::InsertThenDelete) {
            sessions.last();
            sessions.deleteRecord();
        }
        sessions.applyUpdates();
        EXPECT_TRUE(refused.isEmpty()) << refused.value(0).message.toStdString();
        EXPECT_FALSE(sessions.hasPendingChanges());
        EXPECT_EQ(sessions.recordCount(), c.shown);
        EXPECT_EQ(db.column(QStringLiteral("select ID || '|' || OBSERVACOES from CONSULTA order by ID")), c.rows);
        sessions.close();
    }
    fb::disarmFailPoints();
}
