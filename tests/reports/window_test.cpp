// The report commands of the main window: the "Relatórios" menu items and the
// "Imprimir" buttons of the pages run the same reports, after saving what
// they print; a save that is refused stops the command before any report.

#include "mainwin/tfrmclin.h"
#include "reportsfixture.h"

#include <QAction>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

namespace {

class ReportWindowTest : public ReportsTest {
protected:
    ReportWindowTest()
    {
        addPatient57();
        addSession(30, 57, "2011-03-01", "09:00:00");
        db.exec(QStringLiteral("UPDATE CONSULTA SET OBSERVACOES = 'Brincou de casinha' WHERE ID = 30"));
        db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (40, 57, "
                               "'2011-03-10', 'Reavaliada em março')"));
        db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (43, 57, '2011-03-13', "
                               "'Primeira consulta')"));
        w = std::make_unique<TfrmClin>(dm);
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    ~ReportWindowTest() override { w.reset(); }

    void chooseTab(int index)
    {
        QTest::mouseClick(w->TabSet1, Qt::LeftButton, {}, w->TabSet1->tabRect(index).center());
    }

    std::unique_ptr<TfrmClin> w;
};

} // namespace

TEST_F(ReportWindowTest, AMenuItemAndThePrintButtonOfItsPageProduceTheSamePages)
{
    const struct {
        const char* name;
        QAction* TfrmClin::*item;
        int page;
        QToolButton* TfrmClin::*button;
        bool period;
    } cases[] = {
        {"ficha", &TfrmClin::Dadosgerais1, 0, &TfrmClin::SpeedButton4, false},
        {"sessao", &TfrmClin::Sesso1, 2, &TfrmClin::SpeedButton5, false},
        {"reavaliacoes", &TfrmClin::Reavaliaes1, 3, &TfrmClin::SpeedButton6, true},
        {"indicacoes", &TfrmClin::Indicaes1, 4, &TfrmClin::SpeedButton7, true},
        {"orientacoes", &TfrmClin::Orientaes1, 5, &TfrmClin::SpeedButton8, true},
        {"historico", &TfrmClin::Histrico1, 6, &TfrmClin::SpeedButton9, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString fromMenu = file(QString::fromLatin1(c.name) + QStringLiteral("-menu.pdf"));
        const QString fromButton = file(QString::fromLatin1(c.name) + QStringLiteral("-button.pdf"));
        const auto run = [&](const std::function<void()>& command, const QString& pdf) {
            return c.period ? runPeriodReport(command, pdf, QStringLiteral("01/03/2011"), QStringLiteral("31/03/2011"))
                            : runReport(command, pdf);
        };
        const QString menuTitle = run([&] { (w.get()->*c.item)->trigger(); }, fromMenu);
        chooseTab(c.page);
        const QString buttonTitle =
            run([&] { QTest::mouseClick(w.get()->*c.button, Qt::LeftButton); }, fromButton);
        EXPECT_TRUE(menuTitle.contains(QStringLiteral("57/08 Ana Souza"))) << menuTitle.toStdString();
        EXPECT_EQ(menuTitle, buttonTitle);
        EXPECT_EQ(pdffile::pdfText(fromMenu), pdffile::pdfText(fromButton));
        EXPECT_FALSE(anyReportDataSetOpen());
    }
    EXPECT_TRUE(messages.requests.isEmpty());
}

TEST_F(ReportWindowTest, TheReportShowsTheEditOnScreenAndARefusedSaveOpensNoReport)
{
    // A time typed on "Sessões" and not yet saved is saved first and printed.
    chooseTab(2);
    QTest::mouseClick(w->DBEdit20, Qt::LeftButton);
    QTest::keyClick(w->DBEdit20, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w->DBEdit20, QStringLiteral("11:15"));
    const QString pdf = file(QStringLiteral("edited.pdf"));
    runReport([&] { QTest::mouseClick(w->SpeedButton5, Qt::LeftButton); }, pdf);
    EXPECT_TRUE(pdffile::pdfText(pdf).contains(QStringLiteral("11:15")));
    EXPECT_EQ(db.scalar(QStringLiteral("select HORA from CONSULTA where ID = 30")).toTime(), QTime(11, 15));

    // A new session whose date was cleared cannot be saved: one message, no report.
    QTest::mouseClick(w->ToolButton8, Qt::LeftButton);
    QTest::mouseClick(w->DBEdit19, Qt::LeftButton);
    QTest::keyClick(w->DBEdit19, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w->DBEdit19, Qt::Key_Delete);
    messages.requests.clear();
    {
        ModalQueue noPreview({}, 3000);
        QTest::mouseClick(w->SpeedButton5, Qt::LeftButton);
    }
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests.first().text, QStringLiteral("Campo 'DATA' deve ter um valor"));
    EXPECT_EQ(dm.qryConsulta.state(), ds::DataSetState::Insert);
    EXPECT_FALSE(anyReportDataSetOpen());
}
