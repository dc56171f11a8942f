// Father, mother and siblings of the current patient.

#include "storefixture.h"

namespace {

class FamilyTest : public StoreTest {
protected:
    void SetUp() override
    {
        addPatient(7, "Ana");
        dm.qryPaciente.open();
    }
    QVariantList parents() const
    {
        return db.column(QStringLiteral("select PACIENTE || TIPO || NOME || '|' || coalesce(NASCIMENTO, '-') "
                                        "from PAIS order by TIPO desc"));
    }
};

} // namespace

TEST_F(FamilyTest, ParentRowsBelongToThePatientAndAreFoundAgainWithoutAKey)
{
    for (auto [d, name] : {std::pair{&dm.qryPai, u"João"}, std::pair{&dm.qryMae, u"Maria"}}) {
        d->append();
        set(*d, "NOME", QString::fromUtf16(name));
        d->post();
    }
    EXPECT_EQ(parents(), (QVariantList{QStringLiteral(u"7PJoão|-"), QStringLiteral(u"7MMaria|-")}));

    // Changed twice and deleted, each time found by values that include an empty birth date.
    dm.qryPai.edit();
    set(dm.qryPai, "PROFISSAO", QStringLiteral("Pedreiro"));
    dm.qryPai.post();
    dm.qryPai.edit();
    set(dm.qryPai, "NASCIMENTO", QDate(1970, 2, 1));
    dm.qryPai.post();
    dm.qryMae.deleteRecord();
    EXPECT_EQ(parents(), (QVariantList{QStringLiteral(u"7PJoão|1970-02-01")}));
    EXPECT_TRUE(messages.requests.isEmpty()) << messages.requests.value(0).text.toStdString();
}

TEST_F(FamilyTest, SiblingsStayInBirthDateOrderAndShowTheirAge)
{
    Clock::set(QDateTime(QDate(2011, 3, 5), QTime(14, 5, 30)));
    for (QDate born : {QDate(2005, 6, 10), QDate(2011, 3, 5), QDate(2011, 2, 3)}) {
        dm.qryIrmao.append();
        set(dm.qryIrmao, "NOME", QStringLiteral("Irmão"));
        set(dm.qryIrmao, "NASCIMENTO", born);
        dm.qryIrmao.post();
    }
    EXPECT_EQ(value(dm.qryIrmao, "NASCIMENTO").toDate(), QDate(2011, 2, 3));   // the new row stays current
    EXPECT_EQ(db.column(QStringLiteral("select PACIENTE from IRMAO")), (QVariantList{7, 7, 7}));
    QStringList shown;
    ds::Field& born = field(dm.qryIrmao, "NASCIMENTO");
    for (int i = 0; i < dm.qryIrmao.recordCount(); ++i)
        shown << dm.qryIrmao.withRow(i, [&] { return born.displayText(); });
    EXPECT_EQ(shown,
              (QStringList{QStringLiteral("10/06/2005 (5 anos e 8 meses)"),
                           QStringLiteral(u"03/02/2011 (0 anos e 1 mês)"), QStringLiteral("05/03/2011 (0 anos)")}));

    dm.qryIrmao.append();
    EXPECT_EQ(born.displayText(), QString());
}
