// Keys from the generators, rows written at once, empty new rows dropped,
// required columns, and pending edits saved before a close.

#include "dataset/dberror.h"
#include "storefixture.h"

namespace {

class SavingTest : public StoreTest {
protected:
    void SetUp() override
    {
        addPatient(7, "Ana");
        db.exec(QStringLiteral("SET GENERATOR GERADOR TO 100"));
        dm.qryPaciente.open();
    }
};

} // namespace

TEST_F(SavingTest, NewRowsDrawAKeyOnlyWhenTheirIdIsEmpty)
{
    for (int expected : {101, 102}) {
        dm.qryConsulta.append();
        dm.qryConsulta.post();
        EXPECT_EQ(value(dm.qryConsulta, "ID").toInt(), expected);
    }
    EXPECT_EQ(db.column(QStringLiteral("select ID from CONSULTA order by ID")), (QVariantList{101, 102}));

    dm.qryConsulta.edit();
    set(dm.qryConsulta, "HORA", QTime(9, 0));
    dm.qryConsulta.post();
    EXPECT_EQ(generator("GERADOR"), 102);   // an edit draws nothing
    EXPECT_EQ(count(QStringLiteral("select count(*) from CONSULTA where HORA = '09:00'")), 1);

    // A typed patient number is kept; an empty one comes from GEN_PACIENTE.
    for (QVariant typed : {QVariant(500), QVariant()}) {
        dm.qryPaciente.append();
        set(dm.qryPaciente, "ID", typed);
        set(dm.qryPaciente, "NOME", QStringLiteral("Novo"));
        set(dm.qryPaciente, "NASCIMENTO", QDate(2006, 1, 1));
        set(dm.qryPaciente, "CADASTRO", QDate(2011, 3, 5));
        set(dm.qryPaciente, "STATUS", QStringLiteral("A"));
        dm.qryPaciente.post();
        EXPECT_EQ(generator("GEN_PACIENTE"), typed.isValid() ? 0 : 1);
    }
    EXPECT_EQ(db.column(QStringLiteral("select ID from PACIENTE order by ID")), (QVariantList{1, 7, 500}));
    EXPECT_EQ(generator("GERADOR"), 102);
}

TEST_F(SavingTest, ARequiredColumnLeftEmptyStopsTheSaveAndTheDrawnKeyStays)
{
    dm.qryConsulta.append();
    set(dm.qryConsulta, "DATA", QVariant());
    try {
        dm.qryConsulta.post();
        FAIL() << "DATA is required";
    } catch (const ds::EDatabaseError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Field 'DATA' must have a value"));
    }
    EXPECT_EQ(dm.qryConsulta.state(), ds::DataSetState::Insert);
    EXPECT_EQ(value(dm.qryConsulta, "ID").toInt(), 101);
    set(dm.qryConsulta, "DATA", QDate(2011, 3, 5));
    dm.qryConsulta.post();
    EXPECT_EQ(generator("GERADOR"), 101);   // the second save drew no other key
    EXPECT_EQ(db.column(QStringLiteral("select ID from CONSULTA")), (QVariantList{101}));

    // Each is named by its label, and the row keeps its state.
    const struct {
        ds::DataSet* dataSet;
        const char* filled;
        QVariant value;
        QString label;
    } cases[] = {
        {&dm.qryIrmao, "NOME", QStringLiteral("Bia"), QStringLiteral("NASCIMENTO")},
        {&dm.qryIrmao, "NASCIMENTO", QDate(2003, 1, 1), QStringLiteral("NOME")},
        {&dm.qryPai, "PROFISSAO", QStringLiteral("Pedreiro"), QStringLiteral("PAI")},
        {&dm.qryReavaliacao, "DATA", QDate(2011, 3, 5), QStringLiteral(u"OBSERVAÇÕES")},
        {&dm.qryIndicacao, "DATA", QDate(2011, 3, 5), QStringLiteral(u"INDICAÇÃO")},
        {&dm.qryHistorico, "NOTA", QStringLiteral("nota"), QStringLiteral("DATA")},
    };
    for (const auto& c : cases) {
        c.dataSet->append();
        set(*c.dataSet, c.filled, c.value);
        if (c.dataSet == &dm.qryHistorico)
            set(*c.dataSet, "DATA", QVariant());
        try {
            c.dataSet->post();
            ADD_FAILURE() << c.dataSet->name().toStdString() << " saved";
        } catch (const ds::EDatabaseError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Field '%1' must have a value").arg(c.label));
        }
        EXPECT_EQ(c.dataSet->state(), ds::DataSetState::Insert) << c.dataSet->name().toStdString();
        c.dataSet->cancel();
    }
    EXPECT_TRUE(messages.requests.isEmpty());
}

TEST_F(SavingTest, AnEmptyNewSiblingOrToyRowLeavesNoTrace)
{
    db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (1, 'Bola')"));
    dm.qryBrinquedo.close();
    dm.qryConsulta.append();
    dm.qryConsulta.post();   // key 101
    const int drawn = generator("GERADOR");

    dm.qryIrmao.append();
    dm.qryIrmao.post();
    dm.qryBrinquedoNaConsulta.append();
    dm.qryBrinquedoNaConsulta.post();
    for (ds::DataSet* d :
         {static_cast<ds::DataSet*>(&dm.qryIrmao), static_cast<ds::DataSet*>(&dm.qryBrinquedoNaConsulta)}) {
        EXPECT_EQ(d->state(), ds::DataSetState::Browse) << d->name().toStdString();
        EXPECT_TRUE(d->isEmpty()) << d->name().toStdString();
    }
    EXPECT_EQ(generator("GERADOR"), drawn);
    EXPECT_EQ(count(QStringLiteral("select count(*) from IRMAO")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from BRINQUEDO_NA_CONSULTA")), 0);
    EXPECT_TRUE(messages.requests.isEmpty());

    // A toy chosen by its name is saved with its key, the name itself never written.
    dm.qryBrinquedoNaConsulta.append();
    set(dm.qryBrinquedoNaConsulta, "NomeBrinquedo", QStringLiteral("Bola"));
    dm.qryBrinquedoNaConsulta.post();
    EXPECT_EQ(db.scalar(QStringLiteral("select BRINQUEDO || '/' || CONSULTA from BRINQUEDO_NA_CONSULTA")).toString(),
              QStringLiteral("1/101"));
}

TEST_F(SavingTest, ClosingSavesThePendingEditOrStopsWithItsError)
{
    dm.qryHistorico.append();
    set(dm.qryHistorico, "NOTA", QStringLiteral(u"Primeira conversa com a mãe"));
    dm.qryHistorico.close();
    EXPECT_FALSE(dm.qryHistorico.isActive());
    EXPECT_EQ(db.scalar(QStringLiteral("select NOTA from HISTORICO")).toString(),
              QStringLiteral(u"Primeira conversa com a mãe"));

    dm.qryHistorico.open();
    dm.qryHistorico.edit();
    set(dm.qryHistorico, "DATA", QVariant());
    EXPECT_THROW(dm.qryHistorico.close(), ds::EDatabaseError);
    EXPECT_TRUE(dm.qryHistorico.isActive());
    EXPECT_EQ(dm.qryHistorico.state(), ds::DataSetState::Edit);
}

TEST_F(SavingTest, ALostConnectionKeepsTheNoteAndItReachesTheDatabaseOnce)
{
    const QString lost = QStringLiteral(u"Não foi possível comunicar com o servidor do banco de dados.");
    dm.qryHistorico.open();

    // The key cannot be drawn: the new note stays being inserted.
    db.dropAttachment(dm.ZConnection1.handle());
    dm.qryHistorico.append();
    set(dm.qryHistorico, "NOTA", QStringLiteral("Veio com a avó."));
    try {
        dm.qryHistorico.post();
        FAIL() << "the connection is gone";
    } catch (const ds::EConnectionLost& e) {
        EXPECT_TRUE(e.message().startsWith(lost)) << e.what();
    }
    EXPECT_EQ(dm.qryHistorico.state(), ds::DataSetState::Insert);
    dm.qryHistorico.post();   // attaches again
    EXPECT_EQ(db.column(QStringLiteral("select NOTA from HISTORICO")), QVariantList{QStringLiteral("Veio com a avó.")});

    // A change whose apply finds the connection broken stays pending, and
    // closing the data sets before the disconnection sends it.
    db.dropAttachment(dm.ZConnection1.handle());
    dm.qryHistorico.edit();
    set(dm.qryHistorico, "NOTA", QStringLiteral("Veio com o avô."));
    EXPECT_THROW(dm.qryHistorico.post(), ds::EConnectionLost);
    EXPECT_EQ(dm.qryHistorico.state(), ds::DataSetState::Browse);
    EXPECT_TRUE(dm.qryHistorico.hasPendingChanges());
    dm.ZConnection1.disconnect();
    EXPECT_FALSE(dm.ZConnection1.connected());
    EXPECT_FALSE(dm.qryHistorico.isActive());
    EXPECT_EQ(db.column(QStringLiteral("select NOTA from HISTORICO")), QVariantList{QStringLiteral("Veio com o avô.")});
    EXPECT_TRUE(messages.requests.isEmpty());
}
