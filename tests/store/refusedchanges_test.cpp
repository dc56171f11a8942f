// Two copies of the program on one database, logged in as two users (a
// therapist and an administrator): what the database refuses is reported in
// one error box and undone in memory.

#include "storefixture.h"

namespace {

class RefusedChangeTest : public StoreTest {
protected:
    void SetUp() override
    {
        addPatient(7, "Ana");
        db.exec(
            QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (1, 7, 'Bia', '2003-01-01')"));
        dm.qryPaciente.open();
        other.qryPaciente.open();
    }

    void expectOneRefusal(const QString& message)
    {
        ASSERT_EQ(messages.requests.size(), 1);
        const platform::MessageRequest& box = messages.requests[0];
        EXPECT_EQ(box.type, platform::MsgType::Error);
        EXPECT_EQ(box.buttons, QList<platform::MsgButton>{platform::MsgButton::Ok});
        EXPECT_EQ(box.text, refusedText(message));
    }

    Tdm other{db.folder(), testusers::administrator()};   // the second copy of the program
};

enum class Change { Rename, Delete };

void apply(Change change, ds::DataSet& d)
{
    if (change == Change::Delete) {
        d.deleteRecord();
        return;
    }
    d.edit();
    d.fieldByName(QStringLiteral("NOME")).setValue(QStringLiteral("Beatriz"));
    d.post();
}

} // namespace

TEST_F(RefusedChangeTest, ARowTheOtherCopyChangedOrDeletedIsRefusedAndComesBack)
{
    for (auto [first, second] :
         {std::pair{Change::Delete, Change::Rename}, std::pair{Change::Rename, Change::Delete}}) {
        db.exec(QStringLiteral(
            "UPDATE OR INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (1, 7, 'Bia', '2003-01-01')"));
        dm.qryPacienteAfterScroll(dm.qryPaciente);
        other.qryPacienteAfterScroll(other.qryPaciente);
        messages.requests.clear();

        apply(first, other.qryIrmao);
        apply(second, dm.qryIrmao);   // the save or delete itself does not fail
        expectOneRefusal(QStringLiteral("Record not found or changed by another user"));
        EXPECT_EQ(columnOf(dm.qryIrmao, "NOME"), QVariantList{QStringLiteral("Bia")});
        EXPECT_EQ(dm.qryIrmao.state(), ds::DataSetState::Browse);
        EXPECT_FALSE(dm.qryIrmao.hasPendingChanges());
    }
    // What the other copy did stands.
    EXPECT_EQ(db.column(QStringLiteral("select NOME from IRMAO")), QVariantList{QStringLiteral("Beatriz")});
}

TEST_F(RefusedChangeTest, APatientWithSessionsCannotBeDeletedAndStays)
{
    addSession(50, 7, "2011-03-01");
    dm.qryPacienteAfterScroll(dm.qryPaciente);
    dm.qryPaciente.deleteRecord();
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_TRUE(messages.requests[0].text.startsWith(refusedText({})));
    EXPECT_TRUE(messages.requests[0].text.contains(QStringLiteral("FOREIGN KEY")))
        << messages.requests[0].text.toStdString();
    EXPECT_EQ(columnOf(dm.qryPaciente, "ID"), QVariantList{7});
    EXPECT_EQ(dm.qryConsulta.paramByName(QStringLiteral("PACIENTE")).asInteger(), 7);
    EXPECT_EQ(dm.qryConsulta.recordCount(), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from PACIENTE")), 1);
}

TEST_F(RefusedChangeTest, ARefusedNewPatientDisappearsAndTheDetailsFollowThePatientInItsPlace)
{
    other.qryPaciente.append();
    set(other.qryPaciente, "ID", 7);   // a number already taken
    set(other.qryPaciente, "NOME", QStringLiteral("Zeca"));
    set(other.qryPaciente, "NASCIMENTO", QDate(2006, 1, 1));
    set(other.qryPaciente, "CADASTRO", QDate(2011, 3, 5));
    set(other.qryPaciente, "STATUS", QStringLiteral("A"));
    int notified = 0;
    other.PacienteAfterScrollCallBack = [&] { ++notified; };
    other.qryPaciente.post();

    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_TRUE(messages.requests[0].text.contains(QStringLiteral("PK_PACIENTE")))
        << messages.requests[0].text.toStdString();
    EXPECT_EQ(columnOf(other.qryPaciente, "NOME"), QVariantList{QStringLiteral("Ana")});
    EXPECT_EQ(other.qryIrmao.paramByName(QStringLiteral("PACIENTE")).asInteger(), 7);
    EXPECT_EQ(columnOf(other.qryIrmao, "NOME"), QVariantList{QStringLiteral("Bia")});
    EXPECT_EQ(notified, 1);
}
