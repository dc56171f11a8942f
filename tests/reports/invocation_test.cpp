// The six report commands of the data module with the program's reports
// installed: period, title, the preview, and the data sets closed again.

#include "controls/torbdateedit.h"
#include "reportengine/definition.h"
#include "reportengine/previewdialog.h"
#include "reportengine/previewdialogs.h"
#include "reports/tfrmperiodo.h"
#include "reportsfixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

class InvocationTest : public ReportsTest {
protected:
    InvocationTest()
    {
        addPatient57();
        addPatient(58, "Bruno Lima", "2000-01-01");
        addSession(30, 57, "2011-03-01", "09:00:00");
        addSession(31, 57, "2011-03-08", "14:05:00");
        db.exec(QStringLiteral("UPDATE CONSULTA SET OBSERVACOES = 'Brincou de casinha' WHERE ID = 30"));
        db.exec(QStringLiteral("UPDATE CONSULTA SET OBSERVACOES = 'Desenhou a família' WHERE ID = 31"));
        db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (40, 57, '2011-03-10', "
                               "'Reavaliada em março')"));
        db.exec(QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO) VALUES (41, 57, '2011-03-11', "
                               "'Fonoaudiologia')"));
        db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (10, 'Pais')"));
        db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (42, 10, 57, "
                               "'2011-03-12', 'Rotina de sono')"));
        db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (43, 57, '2011-03-13', "
                               "'Primeira consulta')"));
        dm.qryPaciente.open();
        EXPECT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    }
};

} // namespace

TEST_F(InvocationTest, EachCommandShowsItsReportForTheCurrentPatientAndClosesItsDataSets)
{
    const struct {
        const char* name;
        void (Tdm::*command)();
        bool period;
        const char16_t* title;
        const char16_t* printed;
    } cases[] = {
        {"ficha", &Tdm::OpenRelFicha, false, u"Dados Gerais - 57/08 Ana Souza", u"(11) 3456-7890"},
        {"sessao", &Tdm::OpenRelSessao, false, u"Sessão - 57/08 Ana Souza", u"Brincou de casinha"},
        {"reavaliacoes", &Tdm::OpenRelReavaliacoes, true, u"Reavaliações - 57/08 Ana Souza", u"Reavaliada em março"},
        {"indicacoes", &Tdm::OpenRelIndicacoes, true, u"Indicações - 57/08 Ana Souza", u"Fonoaudiologia"},
        {"orientacoes", &Tdm::OpenRelOrientacoes, true, u"Orientações - 57/08 Ana Souza", u"Rotina de sono"},
        {"historico", &Tdm::OpenRelHistorico, false, u"Histórico - 57/08 Ana Souza", u"Primeira consulta"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString pdf = file(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        auto command = [&] { (dm.*c.command)(); };
        const QString shown = c.period ? runPeriodReport(command, pdf, QStringLiteral("01/03/2011"),
                                                         QStringLiteral("31/03/2011"))
                                       : runReport(command, pdf);
        EXPECT_EQ(shown, QStringLiteral("Preview - ") + QString::fromUtf16(c.title));
        EXPECT_TRUE(pdffile::pdfText(pdf).contains(QString::fromUtf16(c.printed)));
        EXPECT_FALSE(anyReportDataSetOpen());
    }
    // The session report takes the session under the cursor of the sessions list.
    ASSERT_TRUE(dm.qryConsulta.locate(QStringLiteral("ID"), 31));
    runReport([&] { dm.OpenRelSessao(); }, file(QStringLiteral("s31.pdf")));
    EXPECT_TRUE(pdffile::pdfText(file(QStringLiteral("s31.pdf"))).contains(QStringLiteral(u"Desenhou a família")));
}

TEST_F(InvocationTest, TitlesCarryThePatientNumberButTheSessionReportShowsNone)
{
    runReport([&] { dm.OpenRelHistorico(); }, file(QStringLiteral("h.pdf")));
    EXPECT_EQ(reports.repHistorico.definition().findText(QStringLiteral("MemoID"))->text(), QStringLiteral("57/08"));
    EXPECT_EQ(reports.repHistorico.definition().findText(QStringLiteral("MemoNome"))->text(),
              QStringLiteral("Ana Souza"));
    EXPECT_EQ(reports.repSessao.definition().findText(QStringLiteral("MemoID")), nullptr);
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 58));
    runReport([&] { dm.OpenRelSessao(); }, file(QStringLiteral("s.pdf"))); // no sessions: the preview still opens
    EXPECT_EQ(reports.repSessao.definition().findText(QStringLiteral("MemoNome"))->text(), QStringLiteral("Bruno Lima"));
    const QString text = pdffile::pdfText(file(QStringLiteral("s.pdf")));
    EXPECT_TRUE(text.contains(QStringLiteral("Bruno Lima")));
    EXPECT_TRUE(text.contains(QStringLiteral("Brinquedos")));
    EXPECT_FALSE(text.contains(QStringLiteral("58/00")));
    runReport([&] { dm.OpenRelHistorico(); }, file(QStringLiteral("h58.pdf")));
    EXPECT_TRUE(pdffile::pdfText(file(QStringLiteral("h58.pdf"))).contains(QStringLiteral("58/00")));
}

TEST_F(InvocationTest, CancelledPeriodShowsNoReportAndKeepsThePeriod)
{
    const TPeriodo before{QDate(2010, 1, 1), QDate(2010, 12, 31)};
    dm.Periodo = before;
    for (void (Tdm::*command)() : {&Tdm::OpenRelReavaliacoes, &Tdm::OpenRelIndicacoes, &Tdm::OpenRelOrientacoes}) {
        ModalQueue queue({[](QWidget* modal) {
            auto* dialog = qobject_cast<TfrmPeriodo*>(modal);
            ASSERT_NE(dialog, nullptr);
            QTest::keyClick(dialog, Qt::Key_Escape);
        }});
        (dm.*command)();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no preview";
        EXPECT_FALSE(anyReportDataSetOpen());
        EXPECT_EQ(dm.Periodo.Inicio, before.Inicio);
        EXPECT_EQ(dm.Periodo.Fim, before.Fim);
    }
}

TEST_F(InvocationTest, TheNextPeriodReportOffersThePeriodAcceptedLast)
{
    QString offered;
    runReport([&] { dm.OpenRelIndicacoes(); }, file(QStringLiteral("i.pdf")), [&](TfrmPeriodo* d) {
        offered = d->dtInicio->displayText() + u'|' + d->dtFim->displayText();
        typeDate(d->dtInicio, QStringLiteral("11/03/2011"));
        typeDate(d->dtFim, QStringLiteral("11/03/2011"));
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    EXPECT_EQ(offered, QStringLiteral("  /  /    |  /  /    ")) << "empty at the first period report";
    EXPECT_EQ(dm.Periodo.Inicio, QDate(2011, 3, 11));
    runReport([&] { dm.OpenRelReavaliacoes(); }, file(QStringLiteral("r.pdf")), [&](TfrmPeriodo* d) {
        offered = d->dtInicio->displayText() + u'|' + d->dtFim->displayText();
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    EXPECT_EQ(offered, QStringLiteral("11/03/2011|11/03/2011"));
    // The re-evaluation of 10/03 lies outside that one day: title and captions, no rows.
    const QString text = pdffile::pdfText(file(QStringLiteral("r.pdf")));
    EXPECT_TRUE(text.contains(QStringLiteral(u"OBSERVAÇÕES")));
    EXPECT_FALSE(text.contains(QStringLiteral("Reavaliada")));
}

TEST(ReportCommands, WithoutInstalledReportsAreRefusedWithAMessage)
{
    TestDatabase db;
    Tdm dm{db.folder(), testusers::therapist()};
    for (void (Tdm::*command)() : {&Tdm::OpenRelFicha, &Tdm::OpenRelReavaliacoes, &Tdm::OpenRelHistorico}) {
        try {
            (dm.*command)();
            ADD_FAILURE() << "no error";
        } catch (const EError& e) {
            EXPECT_EQ(e.message(), QStringLiteral(u"Os relatórios não foram instalados."));
        }
    }
}

namespace {

// The preview's file and print dialogs answered: the file named, the print dialog cancelled.
class AnsweredPreviewDialogs : public report::PreviewDialogs {
public:
    explicit AnsweredPreviewDialogs(QString file) : m_file(std::move(file)) { setInstance(this); }
    ~AnsweredPreviewDialogs() override { setInstance(nullptr); }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return m_file; }
    bool print(QPrinter&, QWidget*) override { return false; }

private:
    QString m_file;
};

} // namespace

TEST_F(InvocationTest, AReportExportedFromThePreviewIsLoggedForThePatientAndAShownOneIsNot)
{
    const QString pdf = file(QStringLiteral("ficha.pdf"));
    AnsweredPreviewDialogs dialogs(pdf);
    const QString logged = QStringLiteral("select USUARIO || ' ' || PACIENTE || ' ' || DETALHE from ACESSO "
                                          "where EVENTO = 'RELATORIO' order by ID");
    ModalQueue queue({[&](QWidget* modal) {
        auto* preview = qobject_cast<report::PreviewDialog*>(modal);
        ASSERT_NE(preview, nullptr);
        preview->findChild<QAction*>(QStringLiteral("actPrint"))->trigger();   // the print dialog cancelled
        EXPECT_TRUE(db.column(logged).isEmpty());
        preview->findChild<QAction*>(QStringLiteral("actExportPdf"))->trigger();
        preview->reject();
    }});
    dm.OpenRelFicha();
    EXPECT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(db.column(logged), QVariantList{dm.account().user + u" 57 Dados Gerais exportado para "_qs + pdf});
}
