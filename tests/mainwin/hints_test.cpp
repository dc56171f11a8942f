// Hints and errors: the age texts of the date boxes with a fixed clock, the
// hints of the lookup boxes, and the error hook's Portuguese wording.

#include "mainwin/mainwindowfixture.h"

#include "dataset/dberror.h"
#include "dataset/editmask.h"

#include <QHelpEvent>

namespace {

class HintsTest : public MainWindowTest {
protected:
    void SetUp() override { Clock::set(QDateTime(QDate(2011, 3, 5), QTime(14, 5, 30))); }
    // The pointer comes to rest on the box: the hint hook runs before the hint shows.
    static QString hintOf(QWidget* box)
    {
        QHelpEvent rest(QEvent::ToolTip, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(box, &rest);
        return box->toolTip();
    }
};

TEST_F(HintsTest, DateBoxesOfFichaTellAges)
{
    struct Case {
        const char* born;
        const char* registered;
        const char* left;
        QString birthHint, entryHint, exitHint;
    } const cases[] = {
        {"2005-06-10", "2009-03-05", nullptr, "Idade Atual: 5 anos e 8 mêses",
         "Idade no Registro: 3 anos e 8 mêses\rData do Registro: 2 anos", QString()},
        {"2005-06-10", "2009-03-05", "2010-03-05", "Idade Atual: 5 anos e 8 mêses",
         "Idade no Registro: 3 anos e 8 mêses\rData do Registro: 2 anos",
         "Data de Saída: 1 ano\rcom 4 anos e 8 mêses"},
        {"2010-03-05", "2011-02-03", nullptr, "Idade Atual: 1 ano", "Idade no Registro: 0 anos e 11 mêses\r"
                                                                      "Data do Registro: 0 anos e 1 mês",
         QString()},
    };
    int id = 0;
    for (const Case& c : cases) {
        ++id;
        addPatient(id, QStringLiteral("P%1").arg(id), c.born, c.registered);
        if (c.left)
            db.exec(QStringLiteral("UPDATE PACIENTE SET SAIDA = '%1' WHERE ID = %2").arg(QString::fromLatin1(c.left)).arg(id));
    }
    openWindow();
    EXPECT_EQ(w->DBEdit3->toolTip(), QStringLiteral("idade"));   // until the hook first runs
    for (const Case& c : cases) {
        SCOPED_TRACE(c.born);
        EXPECT_EQ(hintOf(w->DBEdit3), c.birthHint);
        EXPECT_EQ(hintOf(w->DBEdit4), c.entryHint);
        EXPECT_EQ(hintOf(w->DBEdit5), c.exitHint);
        dm.qryPaciente.next();
    }
    // A new patient without a birth date: no hints.
    click(w->ToolButton8);
    EXPECT_EQ(hintOf(w->DBEdit3), QString());
    EXPECT_EQ(hintOf(w->DBEdit4), QString());
}

TEST_F(HintsTest, ParentsBirthBoxesTellTheirAgeOnlyOnFamilia)
{
    addPatient(7, QStringLiteral("Ana"));
    db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME, NASCIMENTO) VALUES (7, 'M', 'Maria', '1975-03-05')"));
    openWindow();
    hintOf(w->DBEdit3);   // on "Ficha" the parents' hints stay as they are
    EXPECT_EQ(w->DBEdit16->toolTip(), QString());
    chooseTab(1);
    EXPECT_EQ(hintOf(w->DBEdit13), QString());   // no father
    EXPECT_EQ(hintOf(w->DBEdit16), QStringLiteral("Idade Atual: 36 anos"));
}

TEST_F(HintsTest, LookupBoxesShowTheirTextAndTheSchoolOnlyWhenItDoesNotFit)
{
    addPatient(1, QStringLiteral("Ana"));
    addPatient(2, QStringLiteral("Bia"));
    db.exec(QStringLiteral("INSERT INTO ESCOLA (ID, NOME) VALUES (1, 'Escola Municipal de Ensino Fundamental Presidente "
                           "Juscelino')"));
    db.exec(QStringLiteral("INSERT INTO ESCOLA (ID, NOME) VALUES (2, 'Sesi')"));
    db.exec(QStringLiteral("INSERT INTO TERAPEUTA (ID, NOME) VALUES (1, 'Lucia')"));
    db.exec(QStringLiteral("UPDATE PACIENTE SET ESCOLA = ID, TERAPEUTA = 1"));
    openWindow();
    EXPECT_EQ(w->DBLookupComboBox3->toolTip(), QStringLiteral("Lucia"));
    EXPECT_TRUE(w->DBLookupComboBox2->toolTip().startsWith(QStringLiteral("Escola Municipal")));
    click(w->DBLookupComboBox2);
    QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : focused(), Qt::Key_Escape);
    EXPECT_TRUE(w->schoolHintShown());
    click(w->ToolButton6);
    EXPECT_EQ(w->DBLookupComboBox2->toolTip(), QStringLiteral("Sesi"));
    click(w->DBLookupComboBox2);
    QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : focused(), Qt::Key_Escape);
    EXPECT_FALSE(w->schoolHintShown());
    EXPECT_EQ(w->DBLookupComboBox1->toolTip(), QString());
}

TEST(ErrorHookTest, ThreeFrameworkMessagesAreWordedInPortuguese)
{
    struct Case {
        std::function<std::shared_ptr<EError>()> make;
        QString shown;
    } const cases[] = {
        {[] { return std::make_shared<ds::EDBEditError>(QStringLiteral("Invalid input value.  Use escape key to abandon changes")); },
         "Entrada inválida. Tecle ESC para cancelar as alterações."},
        {[] { return std::make_shared<ds::EDatabaseError>(QStringLiteral("Field 'NOME' must have a value")); },
         "Campo 'NOME' deve ter um valor"},
        {[] { return std::make_shared<ds::EDatabaseError>(QStringLiteral("Field 'OBSERVAÇÕES' must have a value")); },
         "Campo 'OBSERVAÇÕES' deve ter um valor"},
        {[] { return std::make_shared<ds::EDatabaseError>(QStringLiteral("The row must have a value for NOME")); },
         "The row must have a value for NOME"},
        {[] { return std::make_shared<ds::EConvertError>(QStringLiteral("'31/02/2010' is not a valid date")); },
         "'31/02/2010' não é uma data válida"},
        {[] { return std::make_shared<ds::EConvertError>(QStringLiteral("'31/02/2010 10:00' is not a valid date and time")); },
         "'31/02/2010 10:00' não é uma data válida"},
        {[] { return std::make_shared<ds::EConvertError>(QStringLiteral("'25:00' is not a valid time")); },
         "'25:00' is not a valid time"},
        {[] { return std::make_shared<EError>(QStringLiteral("UF inválida")); }, "UF inválida"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TfrmClin::ErrorText(*c.make()), c.shown);

    // An error of a class derived from the mask error keeps its own message.
    struct MaskErrorOfOurOwn : ds::EDBEditError {
        using EDBEditError::EDBEditError;
    };
    EXPECT_EQ(TfrmClin::ErrorText(MaskErrorOfOurOwn(QStringLiteral("Invalid"))), QStringLiteral("Invalid"));
}

TEST_F(HintsTest, TheErrorHookShowsOnePlainBox)
{
    openWindow();
    controls::handleError(ds::EDatabaseError(QStringLiteral("Field 'NOME' must have a value")));
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].type, platform::MsgType::Plain);
    EXPECT_EQ(messages.requests[0].buttons, QList<platform::MsgButton>{platform::MsgButton::Ok});
    EXPECT_EQ(messages.requests[0].text, QStringLiteral("Campo 'NOME' deve ter um valor"));
}

} // namespace
