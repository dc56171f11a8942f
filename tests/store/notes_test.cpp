// Re-evaluations, referrals, guidance notes and history notes.

#include "dataset/dberror.h"
#include "storefixture.h"

namespace {

class NoteTest : public StoreTest {
protected:
    void SetUp() override
    {
        addPatient(7, "Ana");
        addPatient(8, "Bia");
        db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (3, 'Escola')"));
        db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (4, 'Casa')"));
        Clock::set(QDateTime(QDate(2011, 3, 5), QTime(14, 5, 30)));
        dm.qryPaciente.open();
    }
    // What the main window does when a guidance type is chosen.
    void chooseGuidanceType(int type)
    {
        dm.chosenGuidanceType = type;
        dm.qryOrientacao.close();
        dm.qryOrientacao.paramByName(QStringLiteral("TIPO")).setAsInteger(type);
        dm.qryOrientacao.open();
    }
};

} // namespace

TEST_F(NoteTest, ANewNoteIsDatedTodayForTheCurrentPatient)
{
    chooseGuidanceType(3);
    for (ds::DataSet* d : {static_cast<ds::DataSet*>(&dm.qryReavaliacao), static_cast<ds::DataSet*>(&dm.qryIndicacao),
                           static_cast<ds::DataSet*>(&dm.qryOrientacao), static_cast<ds::DataSet*>(&dm.qryHistorico)}) {
        d->append();
        EXPECT_EQ(value(*d, "DATA").toDate(), QDate(2011, 3, 5)) << d->name().toStdString();
        EXPECT_EQ(value(*d, "PACIENTE").toInt(), 7) << d->name().toStdString();
    }
    EXPECT_EQ(value(dm.qryOrientacao, "TIPO").toInt(), 3);
}

TEST_F(NoteTest, ARequiredNoteEmptiedInItsBoxIsNotSaved)
{
    db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (1, 7, '2011-03-01', 'Antes')"));
    dm.qryReavaliacao.close();
    dm.qryReavaliacao.open();
    for (bool isNew : {true, false}) {
        if (isNew)
            dm.qryReavaliacao.append();
        else
            dm.qryReavaliacao.edit();
        // What the note's box writes: the text typed, then the box emptied.
        field(dm.qryReavaliacao, "OBSERVACOES").setText(QStringLiteral("Reavaliação"));
        field(dm.qryReavaliacao, "OBSERVACOES").setText(QString());
        try {
            dm.qryReavaliacao.post();
            ADD_FAILURE() << "an empty note was saved";
        } catch (const ds::EDatabaseError& e) {
            EXPECT_EQ(e.message(), QStringLiteral(u"Field 'OBSERVAÇÕES' must have a value"));
        }
        EXPECT_TRUE(dm.qryReavaliacao.isEditing());
        dm.qryReavaliacao.cancel();
    }
    EXPECT_EQ(db.column(QStringLiteral("select OBSERVACOES from REAVALIACAO")), QVariantList{QStringLiteral("Antes")});
}

TEST_F(NoteTest, GuidanceNotesKeepTheChosenTypeAcrossPatients)
{
    EXPECT_EQ(dm.qryOrientacao.paramByName(QStringLiteral("TIPO")).asInteger(), 24);   // nothing chosen yet
    db.exec(QStringLiteral(
        "INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (901, 3, 8, '2011-01-01', 'b3')"));
    db.exec(QStringLiteral(
        "INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (902, 4, 8, '2011-01-01', 'b4')"));
    chooseGuidanceType(3);
    dm.qryOrientacao.append();
    set(dm.qryOrientacao, "CONTEUDO", QStringLiteral("Conversar com a professora"));
    dm.qryOrientacao.post();
    EXPECT_EQ(db.scalar(QStringLiteral("select TIPO from ORIENTACAO where PACIENTE = 7")).toInt(), 3);
    EXPECT_TRUE(messages.requests.isEmpty()) << messages.requests.value(0).text.toStdString();

    dm.qryPaciente.next();
    EXPECT_EQ(columnOf(dm.qryOrientacao, "CONTEUDO"), QVariantList{QStringLiteral("b3")});
    dm.qryPaciente.prior();
    EXPECT_EQ(columnOf(dm.qryOrientacao, "CONTEUDO"), QVariantList{QStringLiteral("Conversar com a professora")});
}

TEST_F(NoteTest, NotesStayInDateOrderAndNotesOfOneDateInTheOrderMade)
{
    for (QDate date : {QDate(2011, 3, 5), QDate(2011, 3, 5), QDate(2011, 1, 2)}) {
        dm.qryReavaliacao.append();
        set(dm.qryReavaliacao, "DATA", date);
        set(dm.qryReavaliacao, "OBSERVACOES", date.toString(Qt::ISODate));
        dm.qryReavaliacao.post();
    }
    const QVariantList ids = columnOf(dm.qryReavaliacao, "ID");
    ASSERT_EQ(ids.size(), 3);
    EXPECT_GT(ids[0].toInt(), ids[2].toInt());   // the earlier date first, though made last
    EXPECT_LT(ids[1].toInt(), ids[2].toInt());
    dm.qryReavaliacao.close();
    dm.qryReavaliacao.open();
    EXPECT_EQ(columnOf(dm.qryReavaliacao, "ID"), ids);   // the same order when read again
}
