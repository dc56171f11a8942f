// The patient row: number and status texts, state codes, and the detail
// data sets that follow the current patient.

#include "dataset/dberror.h"
#include "store/ufinvalida.h"
#include "storefixture.h"

namespace {

class PatientTest : public StoreTest {
protected:
    // The eight detail data sets with the parameter that carries the patient.
    std::vector<std::pair<ds::SqlDataSet*, QString>> details()
    {
        const QString p = QStringLiteral("PACIENTE");
        return {{&dm.qryPai, p},         {&dm.qryMae, p},        {&dm.qryIrmao, p},
                {&dm.qryConsulta, p},    {&dm.qryReavaliacao, p}, {&dm.qryIndicacao, p},
                {&dm.qryOrientacao, p},  {&dm.qryHistorico, QStringLiteral("ID")}};
    }
    void expectDetailsOf(int patient, const char* when)
    {
        for (auto& [d, param] : details()) {
            EXPECT_TRUE(d->isActive()) << d->name().toStdString() << " " << when;
            EXPECT_EQ(d->paramByName(param).asInteger(), patient) << d->name().toStdString() << " " << when;
        }
    }
};

} // namespace

TEST_F(PatientTest, NumberTextCarriesTheRegistrationYearUnlessBeingEdited)
{
    dm.qryPaciente.open();
    ds::Field& id = field(dm.qryPaciente, "ID");
    const struct {
        QVariant number;
        QDate cadastro;
        int tag;
        const char* text;
    } cases[] = {
        {7, {2011, 3, 5}, 0, "7/11"},
        {7, {2000, 1, 1}, 0, "7/00"},
        {152, {2009, 5, 1}, 0, "152/09"},
        {7, {}, 0, "7"},
        {{}, {2011, 3, 5}, 0, "/11"},      // a new patient, not yet numbered
        {152, {2009, 5, 1}, 1, "152"},     // while the number box has the focus
    };
    dm.qryPaciente.append();
    for (const auto& c : cases) {
        set(dm.qryPaciente, "ID", c.number);
        set(dm.qryPaciente, "CADASTRO", c.cadastro.isValid() ? QVariant(c.cadastro) : QVariant());
        id.setTag(c.tag);
        EXPECT_EQ(id.displayText(), QString::fromLatin1(c.text));
        EXPECT_EQ(id.text(), QString::fromLatin1(c.text));
    }
}

TEST_F(PatientTest, StatusIsEnteredAndShownAsAWord)
{
    dm.qryPaciente.open();
    dm.qryPaciente.append();
    ds::Field& status = field(dm.qryPaciente, "STATUS");
    const struct {
        const char* entered;
        const char* stored;
        const char* shown;
    } cases[] = {
        {"finalizado", "F", "Finalizado"}, {"Ativo", "A", "Ativo"}, {"SUSPENSO", "S", "Suspenso"},
        {"X", "X", ""},                    {"sair", "S", "Suspenso"},
    };
    for (const auto& c : cases) {
        status.setText(QString::fromLatin1(c.entered));
        EXPECT_EQ(status.asString(), QString::fromLatin1(c.stored)) << c.entered;
        EXPECT_EQ(status.displayText(), QString::fromLatin1(c.shown)) << c.entered;
    }
}

TEST_F(PatientTest, OnlyBrazilianStateCodesAreAccepted)
{
    dm.qryPaciente.open();
    dm.qryPaciente.append();
    ds::Field& uf = field(dm.qryPaciente, "UF");
    for (const char* accepted : {"RS", "RR", "S", ""}) {
        uf.setValue(QString::fromLatin1(accepted));
        EXPECT_EQ(uf.asString(), QString::fromLatin1(accepted));
    }
    uf.setValue(QStringLiteral("SP"));
    for (const char* refused : {"RX", "Q", "rs"}) {
        try {
            uf.setValue(QString::fromLatin1(refused));
            ADD_FAILURE() << refused << " accepted";
        } catch (const UFInvalida& e) {
            EXPECT_EQ(e.message(), QStringLiteral(u"UF inválida"));
        }
        EXPECT_EQ(uf.asString(), QStringLiteral("SP"));   // the previous value stays
    }
}

TEST_F(PatientTest, DetailsFollowEveryChangeOfTheCurrentPatientAndThenTheWindowIsTold)
{
    addPatient(7, "Ana");
    addPatient(8, "Bia");
    addSession(50, 7, "2011-03-01");
    QStringList log;
    for (auto& [d, param] : details())
        d->afterClose = [&log](ds::DataSet& x) { log << x.name(); };
    dm.PacienteAfterScrollCallBack = [&] { log << QStringLiteral("callback"); };

    dm.qryPaciente.open();
    expectDetailsOf(7, "after open");
    EXPECT_EQ(dm.qryConsulta.recordCount(), 1);
    EXPECT_EQ(log, (QStringList{"callback"}));   // nothing was open to close yet

    log.clear();
    dm.qryPaciente.next();
    expectDetailsOf(8, "after next");
    EXPECT_EQ(log, (QStringList{"qryPai", "qryMae", "qryIrmao", "qryConsulta", "qryReavaliacao", "qryIndicacao",
                                "qryOrientacao", "qryHistorico", "callback"}));
    dm.qryPaciente.append();
    expectDetailsOf(0, "after append");
    dm.qryPaciente.cancel();
    expectDetailsOf(8, "after cancel");
    dm.qryPaciente.first();
    dm.qryPaciente.insert();
    expectDetailsOf(0, "after insert");
    dm.qryPaciente.cancel();
    expectDetailsOf(7, "after cancelling the insertion");
    dm.qryPaciente.last();
    dm.qryPaciente.deleteRecord();
    expectDetailsOf(7, "after delete");
    EXPECT_EQ(dm.qryConsulta.recordCount(), 1);
    EXPECT_EQ(log.count(QStringLiteral("callback")), 8);
}

TEST_F(PatientTest, AnEmptyPatientTableOpensNoDetail)
{
    int notified = 0;
    dm.PacienteAfterScrollCallBack = [&] { ++notified; };
    dm.qryPaciente.open();
    for (auto& [d, param] : details())
        EXPECT_FALSE(d->isActive()) << d->name().toStdString();
    EXPECT_EQ(notified, 0);
}

TEST_F(PatientTest, AHalfFilledFatherIsSavedWhenThePatientChangesOrStopsTheChange)
{
    addPatient(7, "Ana");
    addPatient(8, "Bia");
    db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (1, 8, 'Caio', '2003-01-01')"));
    dm.qryPaciente.open();
    dm.qryPai.append();
    set(dm.qryPai, "NOME", QStringLiteral(u"João"));
    dm.qryPaciente.next();
    EXPECT_EQ(db.scalar(QStringLiteral("select PACIENTE || TIPO || NOME from PAIS")).toString(),
              QStringLiteral(u"7PJoão"));

    // On Bia: a father without a name cannot be saved, and the change of patient stops there.
    int notified = 0;
    dm.PacienteAfterScrollCallBack = [&] { ++notified; };
    dm.qryPai.append();
    set(dm.qryPai, "PROFISSAO", QStringLiteral("Pedreiro"));
    try {
        dm.qryPaciente.prior();
        FAIL() << "the father has no name";
    } catch (const ds::EDatabaseError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Field 'PAI' must have a value"));
    }
    EXPECT_EQ(dm.qryPai.state(), ds::DataSetState::Insert);
    EXPECT_EQ(columnOf(dm.qryIrmao, "NOME"), QVariantList{QStringLiteral("Caio")});   // still Bia's
    EXPECT_EQ(notified, 0);
}
