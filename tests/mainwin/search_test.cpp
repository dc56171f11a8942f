// The patient search on "Ficha" and the date search on the four pages of
// dated entries, driven through their buttons and dialogs.

#include "controls/torbdateedit.h"
#include "dialogs/tdatadlg.h"
#include "dialogs/tfrmlocalizar.h"
#include "mainwindowfixture.h"
#include "support/modaldriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kNotFound = QStringLiteral(u"Não encontrado");
const QString kDateNotFound = QStringLiteral(u"Data não encontrada");

class SearchTest : public MainWindowTest {
protected:
    int currentPatient() const { return dm.qryPaciente.fieldByName(QStringLiteral("ID")).asInteger(); }
    static int currentId(const ds::DataSet& list) { return list.fieldByName(QStringLiteral("ID")).asInteger(); }

    struct SearchDialog {
        QString prompt;
        QString text;
        QString selected;
        bool patientScreenHeld = false;
    };
    // Clicks "Localizar" on "Ficha", types over the proposed name and ends
    // with "OK", or with Esc when cancel is set.
    SearchDialog searchPatient(const QString& typed, bool cancel = false)
    {
        messages.requests.clear();
        SearchDialog seen;
        ModalDriver driver([&](QWidget* modal) {
            auto* dialog = qobject_cast<TfrmLocalizar*>(modal);
            ASSERT_NE(dialog, nullptr);
            seen = {dialog->Label1->text(), dialog->Edit1->text(), dialog->Edit1->selectedText(),
                    dm.qryPaciente.controlsDisabled()};
            QTest::keyClicks(dialog->Edit1, typed);
            if (cancel)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
        });
        click(w->btnLocalizarFicha);
        EXPECT_TRUE(driver.acted());
        return seen;
    }

    // Clicks a date search button and answers the date dialog with a date
    // typed over the one shown, the next-date box as asked.
    void searchDate(QToolButton* button, const QString& date, bool nextDate)
    {
        messages.requests.clear();
        ModalDriver driver([&](QWidget* modal) {
            auto* dialog = qobject_cast<TDataDlg*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->odeData->setCursorPosition(0);
            QTest::keyClicks(dialog->odeData, date);
            if (dialog->chkRetornarProxima->isChecked() != nextDate)
                QTest::mouseClick(dialog->chkRetornarProxima, Qt::LeftButton);
            QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
        });
        click(button);
        EXPECT_TRUE(driver.acted());
    }
};

TEST_F(SearchTest, PatientByNumberOrByName)
{
    addPatient(42, QStringLiteral("Maria Souza"), "2001-01-01", "2009-04-01");
    addPatient(15, QStringLiteral("Bruno"));
    addPatient(3, QStringLiteral("-1 (teste)"));
    openWindow();

    struct Case {
        QString typed;
        int found;        // the patient current afterwards
        bool notFound;    // "Não encontrado" shown
    };
    const Case cases[] = {
        {QStringLiteral("42"), 42, false},
        {QStringLiteral("$2A"), 42, false},
        {QStringLiteral(" 0x2a"), 42, false},
        {QStringLiteral("+42"), 42, false},
        {QStringLiteral("4242"), 15, true},          // no patient has that number
        {QStringLiteral("42/09"), 15, true},         // the number as shown is no number, and no name
        {QStringLiteral("2147483648"), 15, true},    // out of range: a name, and no patient has it
        {QStringLiteral("-1"), 3, false},            // a name: it completes to "-1 (teste)"
        {QStringLiteral("mar"), 42, false},          // completes to "Maria Souza"
        {QStringLiteral("bru"), 15, false},
    };
    for (const Case& c : cases) {
        dm.qryPaciente.locate(QStringLiteral("ID"), 15);
        const SearchDialog seen = searchPatient(c.typed);
        EXPECT_EQ(currentPatient(), c.found) << c.typed.toStdString();
        EXPECT_EQ(boxes(), c.notFound ? QStringList{kNotFound} : QStringList()) << c.typed.toStdString();
        if (c.notFound) {
            EXPECT_EQ(messages.requests[0].type, platform::MsgType::Plain);
        }
        // The dialog opens on the current patient's name, wholly selected, the screen held still meanwhile.
        EXPECT_EQ(seen.prompt, QStringLiteral("Nome ou ID:"));
        EXPECT_EQ(seen.text, QStringLiteral("Bruno"));
        EXPECT_EQ(seen.selected, QStringLiteral("Bruno"));
        EXPECT_TRUE(seen.patientScreenHeld);
        EXPECT_FALSE(dm.qryPaciente.controlsDisabled());
        EXPECT_EQ(w->DBEdit2->text(), dm.qryPaciente.fieldByName(QStringLiteral("NOME")).asString());
    }

    searchPatient(QStringLiteral("42"), true);   // cancelled
    EXPECT_EQ(currentPatient(), 15);
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(SearchTest, TwoPatientsOfOneNameLeadToTheFirstInTheList)
{
    addPatient(7, QStringLiteral("Ana"));
    addPatient(9, QStringLiteral("ANA"));
    addPatient(11, QStringLiteral("Bia"));
    openWindow();
    const int first = dm.qryPaciente.rowValue(0, dm.qryPaciente.fieldByName(QStringLiteral("ID"))).toInt();
    const int second = first == 7 ? 9 : 7;

    searchPatient(QString::number(second));   // the other one is reached by its number
    EXPECT_EQ(currentPatient(), second);
    const SearchDialog seen = searchPatient(QString());   // OK on the name proposed
    EXPECT_EQ(seen.text, first == 7 ? QStringLiteral("Ana") : QStringLiteral("ANA"));
    EXPECT_EQ(currentPatient(), first);
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(SearchTest, WithNoPatientsTheListIsEmptyAndOkFindsNothing)
{
    openWindow();
    const SearchDialog seen = searchPatient(QString());
    EXPECT_EQ(seen.text, QString());
    EXPECT_EQ(boxes(), QStringList{kNotFound});
    EXPECT_FALSE(dm.qryPaciente.controlsDisabled());
}

TEST_F(SearchTest, WithThePatientListClosedNothingHappens)
{
    // As after a database that could not be opened again.
    addPatient(1, QStringLiteral("Ana"));
    openWindow();
    dm.qryPaciente.close();
    messages.requests.clear();
    ModalDriver driver([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); }, 1500);
    click(w->btnLocalizarFicha);
    EXPECT_FALSE(driver.acted()) << "the search dialog opened";
    EXPECT_EQ(boxes(), QStringList());
}

TEST_F(SearchTest, AnEditThatCannotBeSavedStopsTheSearchAndTheScreenFollowsAgain)
{
    addPatient(1, QStringLiteral("Ana"));
    addPatient(2, QStringLiteral("Bia"));
    openWindow();
    click(w->DBEdit2);   // the name is required
    QTest::keyClick(w->DBEdit2, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w->DBEdit2, Qt::Key_Delete);
    messages.requests.clear();
    ModalDriver driver([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); }, 1500);
    click(w->btnLocalizarFicha);
    EXPECT_FALSE(driver.acted()) << "the search dialog opened";
    EXPECT_EQ(boxes(), QStringList{"Campo 'NOME' deve ter um valor"});
    EXPECT_TRUE(dm.qryPaciente.isEditing());   // the edit is still there to be mended
    EXPECT_FALSE(dm.qryPaciente.controlsDisabled());
}

TEST_F(SearchTest, SessionsByExactOrNextDate)
{
    addPatient(7, QStringLiteral("Ana"));
    const char* sessions[][3] = {{"21", "2011-03-10", "10:00"}, {"23", "2011-03-15", "14:00"},
                                 {"22", "2011-03-15", "09:00"}, {"24", "2011-04-01", "10:00"}};
    for (const auto& s : sessions)
        db.exec(QStringLiteral("INSERT INTO CONSULTA (ID, DATA, HORA, PACIENTE) VALUES (%1, '%2', '%3', 7)")
                    .arg(QLatin1String(s[0]), QLatin1String(s[1]), QLatin1String(s[2])));
    openWindow();
    chooseTab(2);

    struct Case {
        QString date;
        bool next;
        int found;   // 0: "Data não encontrada", the list stays on the last session
    };
    const Case cases[] = {
        {QStringLiteral("15/03/2011"), false, 22},   // the earlier of the two that day
        {QStringLiteral("12/03/2011"), false, 0},
        {QStringLiteral("12/03/2011"), true, 22},
        {QStringLiteral("01/01/2011"), true, 21},
        {QStringLiteral("01/04/2011"), true, 24},
        {QStringLiteral("02/04/2011"), true, 0},
    };
    for (const Case& c : cases) {
        click(w->ToolButton7);   // "Último"
        searchDate(w->SpeedButton1, c.date, c.next);
        const std::string label = c.date.toStdString() + (c.next ? " next" : " exact");
        EXPECT_EQ(currentId(dm.qryConsulta), c.found ? c.found : 24) << label;
        EXPECT_EQ(boxes(), c.found ? QStringList() : QStringList{kDateNotFound}) << label;
        if (!c.found) {
            EXPECT_EQ(messages.requests[0].type, platform::MsgType::Information) << label;
        }
        EXPECT_FALSE(dm.qryConsulta.controlsDisabled()) << label;
    }
}

TEST_F(SearchTest, EachDatedPageSearchesItsOwnList)
{
    addPatient(7, QStringLiteral("Ana"));
    db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (31, 7, '2011-05-02', 'a')"));
    db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (32, 7, '2011-08-02', 'b')"));
    db.exec(QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO) VALUES (41, 7, '2011-05-02', 'a')"));
    db.exec(QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO) VALUES (42, 7, '2011-08-02', 'b')"));
    db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (3, 'Casa')"));
    db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (51, 3, 7, '2011-05-02', 'a')"));
    db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (52, 3, 7, '2011-08-02', 'b')"));
    openWindow();

    struct Page {
        int tab;
        QToolButton* button;
        ds::DataSet& list;
        int first;
    };
    const Page pages[] = {{3, w->SpeedButton2, dm.qryReavaliacao, 31},
                          {4, w->SpeedButton3, dm.qryIndicacao, 41},
                          {5, w->btnLocalizarOrientacao, dm.qryOrientacao, 51}};
    for (const Page& p : pages) {
        chooseTab(p.tab);
        if (p.tab == 5)
            QTest::keyClick(w->cbxTipoOrientacao, Qt::Key_Down);   // "Casa"
        p.list.last();
        searchDate(p.button, QStringLiteral("01/06/2011"), true);
        EXPECT_EQ(currentId(p.list), p.first + 1) << p.tab;
        searchDate(p.button, QStringLiteral("02/05/2011"), false);
        EXPECT_EQ(currentId(p.list), p.first) << p.tab;
        EXPECT_TRUE(boxes().isEmpty()) << p.tab;
    }
}

} // namespace
