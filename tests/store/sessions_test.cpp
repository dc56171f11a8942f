// Sessions, the toys used in them, and the note loader around their moves.

#include "dataset/dberror.h"
#include "storefixture.h"

namespace {

class SessionTest : public StoreTest {
protected:
    void SetUp() override
    {
        addPatient(7, "Ana");
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (1, 'Bola')"));
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (2, 'Boneca')"));
        db.exec(QStringLiteral("SET GENERATOR GERADOR TO 100"));
        addSession(50, 7, "2011-03-01");
        addSession(51, 7, "2011-03-03");
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (1, 50)"));
        dm.qryPaciente.open();
    }
    QVariantList toys() const { return columnOf(dm.qryBrinquedoNaConsulta, "NomeBrinquedo"); }
    QVariantList storedToys() const
    {
        return db.column(QStringLiteral("select CONSULTA || ':' || BRINQUEDO from BRINQUEDO_NA_CONSULTA "
                                        "order by CONSULTA, BRINQUEDO"));
    }
    void addToy(const QString& name)
    {
        dm.qryBrinquedoNaConsulta.append();
        set(dm.qryBrinquedoNaConsulta, "NomeBrinquedo", name);
    }
};

} // namespace

TEST_F(SessionTest, ANewSessionStartsTodayNowForTheCurrentPatientAndKeepsTheOrder)
{
    Clock::set(QDateTime(QDate(2011, 3, 5), QTime(14, 5, 30)));
    dm.qryConsulta.append();
    EXPECT_EQ(value(dm.qryConsulta, "DATA").toDate(), QDate(2011, 3, 5));
    EXPECT_EQ(value(dm.qryConsulta, "HORA").toTime(), QTime(14, 5, 30));
    EXPECT_EQ(value(dm.qryConsulta, "PACIENTE").toInt(), 7);
    EXPECT_TRUE(toys().isEmpty());   // a session without an ID has no toys

    set(dm.qryConsulta, "DATA", QDate(2011, 2, 1));
    dm.qryConsulta.post();
    EXPECT_EQ(columnOf(dm.qryConsulta, "ID"), (QVariantList{101, 50, 51}));
    EXPECT_EQ(dm.qryConsulta.recNo(), 0);
}

TEST_F(SessionTest, ANewSessionReadsTheClockOnce)
{
    // Midnight falls between two readings.
    QList<QDateTime> readings{QDateTime(QDate(2011, 3, 5), QTime(23, 59, 59, 999)),
                              QDateTime(QDate(2011, 3, 6), QTime(0, 0))};
    Clock::setSource([&readings] { return readings.size() > 1 ? readings.takeFirst() : readings.first(); });
    dm.qryConsulta.append();
    EXPECT_EQ(value(dm.qryConsulta, "DATA").toDate(), QDate(2011, 3, 5));
    EXPECT_EQ(value(dm.qryConsulta, "HORA").toTime(), QTime(23, 59, 59, 999));
}

TEST_F(SessionTest, ASessionTimedToTheTenThousandthCanBeChangedAndDeleted)
{
    addSession(52, 7, "2011-03-05", "10:00:00.1234");   // written by another tool
    dm.qryConsulta.close();
    dm.qryConsulta.open();
    ASSERT_TRUE(dm.qryConsulta.locate(QStringLiteral("ID"), 52));
    dm.qryConsulta.edit();
    set(dm.qryConsulta, "OBSERVACOES", QStringLiteral("Desenhou a família."));
    dm.qryConsulta.post();
    EXPECT_TRUE(messages.requests.isEmpty()) << messages.requests.value(0).text.toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from CONSULTA where ID = 52 and HORA = '10:00:00.1234' "
                                   "and OBSERVACOES = 'Desenhou a família.'")),
              1);

    messages.answers.enqueue(platform::MsgButton::Yes);   // "Excluir sessão?"
    dm.qryConsulta.deleteRecord();
    EXPECT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from CONSULTA where ID = 52")), 0);
}

TEST_F(SessionTest, TheFirstToyOfANewSessionSavesTheSessionFirst)
{
    dm.qryConsulta.append();
    addToy(QStringLiteral("Boneca"));
    EXPECT_EQ(dm.qryConsulta.state(), ds::DataSetState::Browse);
    EXPECT_EQ(count(QStringLiteral("select count(*) from CONSULTA where ID = 101")), 1);
    EXPECT_EQ(value(dm.qryBrinquedoNaConsulta, "CONSULTA").toInt(), 101);
    dm.qryBrinquedoNaConsulta.post();
    EXPECT_EQ(storedToys(), (QVariantList{QStringLiteral("50:1"), QStringLiteral("101:2")}));

    // A session that cannot be saved stops the addition.
    dm.qryConsulta.append();
    set(dm.qryConsulta, "DATA", QVariant());
    EXPECT_THROW(dm.qryBrinquedoNaConsulta.append(), ds::EDatabaseError);
    EXPECT_EQ(dm.qryConsulta.state(), ds::DataSetState::Insert);
    EXPECT_EQ(dm.qryBrinquedoNaConsulta.state(), ds::DataSetState::Browse);
    EXPECT_TRUE(toys().isEmpty());
}

TEST_F(SessionTest, NoToyGoesToAnotherSessionWhenTheNewSessionIsRefused)
{
    dm.qryConsulta.last();
    dm.qryConsulta.append();
    set(dm.qryConsulta, "PACIENTE", 99);   // a patient another copy deleted meanwhile
    EXPECT_THROW(dm.qryBrinquedoNaConsulta.append(), ds::EAbort);
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_TRUE(messages.requests[0].text.contains(QStringLiteral("FK_CONSULTA_PACIENTE")));
    EXPECT_EQ(value(dm.qryConsulta, "ID").toInt(), 51);
    EXPECT_EQ(dm.qryBrinquedoNaConsulta.paramByName(QStringLiteral("CONSULTA")).asInteger(), 51);
    EXPECT_EQ(dm.qryBrinquedoNaConsulta.state(), ds::DataSetState::Browse);
    EXPECT_EQ(storedToys(), QVariantList{QStringLiteral("50:1")});
}

TEST_F(SessionTest, TheToyListFollowsTheSessionAndAHalfEnteredToyIsSavedFirst)
{
    EXPECT_EQ(toys(), QVariantList{QStringLiteral("Bola")});
    addToy(QStringLiteral("Boneca"));
    dm.qryConsulta.next();
    EXPECT_TRUE(toys().isEmpty());   // session 51
    dm.qryBrinquedoNaConsulta.append();   // left empty: dropped by the move
    dm.qryConsulta.prior();
    EXPECT_EQ(toys(), (QVariantList{QStringLiteral("Bola"), QStringLiteral("Boneca")}));
    EXPECT_EQ(storedToys(), (QVariantList{QStringLiteral("50:1"), QStringLiteral("50:2")}));

    // Toy rows have no key: they are found by their values.
    dm.qryBrinquedoNaConsulta.first();
    dm.qryBrinquedoNaConsulta.deleteRecord();
    dm.qryBrinquedoNaConsulta.edit();
    set(dm.qryBrinquedoNaConsulta, "NomeBrinquedo", QStringLiteral("Bola"));
    dm.qryBrinquedoNaConsulta.post();
    EXPECT_EQ(storedToys(), QVariantList{QStringLiteral("50:1")});
    EXPECT_TRUE(messages.requests.isEmpty());
}

TEST_F(SessionTest, DeletingASessionAsksFirst)
{
    dm.qryConsulta.last();   // session 51, without toys
    messages.answers.enqueue(platform::MsgButton::No);
    dm.qryConsulta.deleteRecord();
    ASSERT_EQ(messages.requests.size(), 1);
    const platform::MessageRequest& box = messages.requests[0];
    EXPECT_EQ(box.type, platform::MsgType::Confirmation);
    EXPECT_EQ(box.text, QStringLiteral(u"Excluir sessão?"));
    EXPECT_EQ(box.buttons, (QList<platform::MsgButton>{platform::MsgButton::Yes, platform::MsgButton::No}));
    EXPECT_EQ(box.defaultButton, platform::MsgButton::No);
    EXPECT_EQ(columnOf(dm.qryConsulta, "ID"), (QVariantList{50, 51}));
    EXPECT_EQ(count(QStringLiteral("select count(*) from CONSULTA")), 2);

    messages.answers.enqueue(platform::MsgButton::Yes);
    dm.qryConsulta.deleteRecord();
    EXPECT_EQ(db.column(QStringLiteral("select ID from CONSULTA")), QVariantList{50});
    EXPECT_EQ(toys(), QVariantList{QStringLiteral("Bola")});   // the session now current
    EXPECT_EQ(messages.requests.size(), 2);
}

TEST_F(SessionTest, TheNoteLoaderStopsBeforeAListMovesAndStartsAfterwards)
{
    QStringList log;
    dm.NoteLoaderStart = [&] { log << QStringLiteral("start"); };
    dm.NoteLoaderStop = [&] { log << QStringLiteral("stop"); };
    const QStringList move{"stop", "start"};

    dm.qryConsulta.close();
    dm.qryConsulta.open();
    EXPECT_EQ(log, (QStringList{"start", "start"}));   // opened, then on its first row
    for (ds::DataSet* d : {static_cast<ds::DataSet*>(&dm.qryConsulta), static_cast<ds::DataSet*>(&dm.qryReavaliacao),
                           static_cast<ds::DataSet*>(&dm.qryIndicacao), static_cast<ds::DataSet*>(&dm.qryOrientacao)}) {
        log.clear();
        d->append();
        EXPECT_EQ(log, move) << d->name().toStdString();
        log.clear();
        d->cancel();
        EXPECT_EQ(log, move) << d->name().toStdString();
    }
    log.clear();
    dm.qryConsulta.first();
    dm.qryHistorico.append();
    dm.qryHistorico.cancel();
    EXPECT_EQ(log, move);
}
