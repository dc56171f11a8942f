// Choosing pages: what leaving a page saves and in which order, a save that
// is refused, the navigator that follows the page and the part of it the
// user works in, its enabling, Ctrl+Tab, and closing the window.

#include "mainwin/mainwindowfixture.h"

#include "support/columnvalues.h"

namespace {

class PagesTest : public MainWindowTest {
protected:
    // Records the data sets in the order they are saved.
    void recordSaves(std::initializer_list<ds::DataSet*> dataSets)
    {
        for (ds::DataSet* d : dataSets) {
            ds::DataSet::Event rule = d->beforePost;
            d->beforePost = [this, rule](ds::DataSet& x) {
                saves << x.name();
                if (rule)
                    rule(x);
            };
        }
    }
    QStringList saves;
};

TEST_F(PagesTest, LeavingFamiliaSavesSiblingsThenMotherThenFather)
{
    addPatient(7, QStringLiteral("Ana"));
    db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (50, 7, 'Rui', '2001-01-01')"));
    openWindow();
    recordSaves({&dm.qryPai, &dm.qryMae, &dm.qryIrmao});
    chooseTab(1);
    EXPECT_EQ(focused(), w->DBEdit6);
    QTest::keyClicks(w->DBEdit6, QStringLiteral("Jose"));
    focusAndType(w->DBEdit15, QStringLiteral("Maria"));
    click(w->DBGrid1->viewport());
    QTest::keyClick(w->DBGrid1, Qt::Key_F2);
    QTest::keyClicks(focused(), QStringLiteral("z"));
    QTest::keyClick(focused(), Qt::Key_Tab);
    ASSERT_EQ(dm.qryIrmao.state(), ds::DataSetState::Edit);

    chooseTab(0);
    EXPECT_EQ(saves, (QStringList{"qryIrmao", "qryMae", "qryPai"}));
    EXPECT_EQ(w->visiblePage(), 0);
    EXPECT_EQ(db.column(QStringLiteral("select NOME from PAIS order by TIPO")),
              (QVariantList{QStringLiteral("Maria"), QStringLiteral("Jose")}));
    EXPECT_EQ(focused(), w->DBEdit1);
    EXPECT_TRUE(boxes().isEmpty()) << boxes().join(u'\n').toStdString();
}

TEST_F(PagesTest, LeavingSessoesSavesTheToyRowBeforeTheSession)
{
    addPatient(7, QStringLiteral("Ana"));
    addSession(100, 7, "2011-03-01");
    db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (1, 'Bola')"));
    db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (2, 'Pipa')"));
    db.exec(QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (1, 100)"));
    openWindow();
    recordSaves({&dm.qryConsulta, &dm.qryBrinquedoNaConsulta});
    chooseTab(2);
    click(w->DBGrid2->viewport());
    QTest::keyClick(w->DBGrid2, Qt::Key_F2);
    QTest::keyClicks(focused(), QStringLiteral("P"));   // "Pipa", chosen by its first letter
    ASSERT_EQ(dm.qryBrinquedoNaConsulta.state(), ds::DataSetState::Edit);
    retype(w->DBEdit20, QStringLiteral("11:00"));
    ASSERT_EQ(dm.qryConsulta.state(), ds::DataSetState::Edit);

    QTest::keyClick(focused(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w->visiblePage(), 3);
    EXPECT_EQ(saves, (QStringList{"qryBrinquedoNaConsulta", "qryConsulta"}));
    EXPECT_EQ(db.scalar(QStringLiteral("select BRINQUEDO from BRINQUEDO_NA_CONSULTA")).toInt(), 2);
    EXPECT_EQ(db.scalar(QStringLiteral("select HORA from CONSULTA")).toTime(), QTime(11, 0));
    EXPECT_TRUE(boxes().isEmpty()) << boxes().join(u'\n').toStdString();
}

TEST_F(PagesTest, ARefusedSaveIsShownOnceAndTheNewPageOpensWithTheEditPending)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    chooseTab(3);
    click(w->ToolButton8);   // "Novo": a re-evaluation without its required text
    ASSERT_EQ(dm.qryReavaliacao.state(), ds::DataSetState::Insert);

    chooseTab(0);
    EXPECT_EQ(boxes(), QStringList{"Campo 'OBSERVAÇÕES' deve ter um valor"});
    EXPECT_EQ(w->visiblePage(), 0);
    EXPECT_TRUE(w->tsFicha->isVisible());
    EXPECT_FALSE(w->tsAvaliacoes->isVisible());
    EXPECT_EQ(dm.qryReavaliacao.state(), ds::DataSetState::Insert);
    EXPECT_EQ(w->DataSetPost1->dataSource(), w->dsPaciente);
}

TEST_F(PagesTest, ATextABoxRefusesKeepsThePageAndIsShownOnce)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    retype(w->DBEdit3, QStringLiteral("31/02/2010"));
    chooseTab(1);
    EXPECT_EQ(boxes(), QStringList{"'31/02/2010' não é uma data válida"});
    EXPECT_EQ(w->visiblePage(), 0);
    EXPECT_EQ(w->TabSet1->currentIndex(), 0);
    EXPECT_EQ(focused(), w->DBEdit3);
}

TEST_F(PagesTest, TheNavigatorFollowsTheMotherAndStaysThere)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    chooseTab(1);
    EXPECT_EQ(w->DataSetPost1->dataSource(), w->dsPai);
    EXPECT_EQ(w->DataSetDelete2->dataSource(), w->dsIrmao);
    focusAndType(w->DBEdit15, QStringLiteral("Maria"));
    focusAndType(w->DBEdit6, QStringLiteral("Jose"));
    EXPECT_EQ(w->DataSetPost1->dataSource(), w->dsMae);
    click(w->ToolButton10);   // "Salvar" saves the mother, not the father
    EXPECT_EQ(dm.qryMae.state(), ds::DataSetState::Browse);
    EXPECT_EQ(dm.qryPai.state(), ds::DataSetState::Insert);
    EXPECT_EQ(db.column(QStringLiteral("select NOME from PAIS")), QVariantList{QStringLiteral("Maria")});

    click(w->DBGrid1->viewport());
    EXPECT_EQ(w->DataSetPost1->dataSource(), w->dsIrmao);
}

TEST_F(PagesTest, NavigatorEnablingOnEmptyOneAndManyRows)
{
    addPatient(1, QStringLiteral("A sem sessões"));
    addPatient(2, QStringLiteral("B com uma"));
    addPatient(3, QStringLiteral("C com três"));
    addSession(10, 2, "2011-01-01");
    for (int i = 0; i < 3; ++i)
        addSession(20 + i, 3, "2011-01-01");
    openWindow();
    EXPECT_EQ(navigator(), QStringLiteral("--NLID--"));   // first of three patients
    chooseTab(2);
    EXPECT_EQ(navigator(), QStringLiteral("----I---"));
    dm.qryPaciente.next();
    EXPECT_EQ(navigator(), QStringLiteral("--NLID--"));   // one session: at its first, not yet at its end
    click(w->ToolButton6);
    EXPECT_EQ(navigator(), QStringLiteral("FP--ID--"));
    dm.qryPaciente.next();
    EXPECT_EQ(navigator(), QStringLiteral("--NLID--"));
    click(w->ToolButton7);
    EXPECT_EQ(navigator(), QStringLiteral("FP--ID--"));
    retype(w->DBEdit20, QStringLiteral("11:00"));
    EXPECT_EQ(navigator(), QStringLiteral("FP--IDSC"));
    click(w->ToolButton11);   // "Cancelar"
    EXPECT_TRUE(navigator().endsWith(QStringLiteral("ID--")));
}

TEST_F(PagesTest, CtrlTabGoesToTheNextPageAndWrapsAround)
{
    openWindow();
    for (int expected : {1, 2, 3, 4, 5, 6, 0}) {
        QTest::keyClick(focused(), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(w->visiblePage(), expected);
        EXPECT_EQ(w->TabSet1->currentIndex(), expected);
        EXPECT_EQ(TfrmClin::helpContext(w->TabSet1), 250 + 10 * expected);
    }
    QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w->visiblePage(), 0);
}

TEST_F(PagesTest, TheHistoryListIsOpenOnlyOnItsPage)
{
    addPatient(7, QStringLiteral("Ana"));
    db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (1, 7, '2011-01-02', 'Alta')"));
    openWindow();
    dm.qryHistorico.close();
    chooseTab(6);
    EXPECT_TRUE(dm.qryHistorico.isActive());
    EXPECT_EQ(columnValues(dm.qryHistorico, QStringLiteral("NOTA")), QStringList{"Alta"});
    EXPECT_EQ(focused(), w->DBGrid3);
    EXPECT_EQ(w->DataSetFirst1->dataSource(), w->dsHistorico);
    chooseTab(0);
    EXPECT_FALSE(dm.qryHistorico.isActive());
}

TEST_F(PagesTest, ReportCommandsSaveWhatTheyPrintFirstFromTheMenuAndFromThePrintButtons)
{
    addPatient(7, QStringLiteral("Ana"));
    addSession(100, 7, "2011-03-01");
    openWindow();
    recordSaves({&dm.qryPaciente, &dm.qryPai, &dm.qryMae, &dm.qryIrmao, &dm.qryConsulta});
    chooseTab(1);
    focusAndType(w->DBEdit6, QStringLiteral("Jose"));
    focusAndType(w->DBEdit15, QStringLiteral("Maria"));
    w->Dadosgerais1->trigger();
    EXPECT_EQ(saves, (QStringList{"qryMae", "qryPai"}));

    saves.clear();
    chooseTab(2);
    retype(w->DBEdit20, QStringLiteral("11:00"));
    click(w->SpeedButton5);   // the print button of "Sessões" runs "Sessão"
    EXPECT_EQ(saves, QStringList{"qryConsulta"});
    EXPECT_EQ(dm.qryConsulta.state(), ds::DataSetState::Browse);

    // A save that is refused stops the command.
    saves.clear();
    click(w->ToolButton8);
    click(w->DBEdit19);
    QTest::keyClick(w->DBEdit19, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w->DBEdit19, Qt::Key_Delete);
    messages.requests.clear();
    click(w->SpeedButton5);
    EXPECT_EQ(boxes(), QStringList{"Campo 'DATA' deve ter um valor"});
    EXPECT_EQ(dm.qryConsulta.state(), ds::DataSetState::Insert);
}

TEST_F(PagesTest, ClosingWithAnEditThatCannotBeSavedKeepsTheWindowOnItsPage)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    chooseTab(3);
    click(w->ToolButton8);   // a re-evaluation without its text
    chooseTab(4);            // refused once on leaving
    messages.requests.clear();

    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(boxes(), QStringList{"Campo 'OBSERVAÇÕES' deve ter um valor"});
    EXPECT_EQ(w->visiblePage(), 3);
    EXPECT_EQ(dm.qryReavaliacao.state(), ds::DataSetState::Insert);
    EXPECT_TRUE(dm.ZConnection1.connected());

    // Typing the text and closing saves it; nothing typed is lost.
    QTest::mouseDClick(w->mmoReavaliacao->viewport(), Qt::LeftButton);
    QTest::keyClicks(w->mmoReavaliacao, QStringLiteral("Evoluiu bem"));
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(dm.ZConnection1.connected());
    EXPECT_EQ(db.column(QStringLiteral("select OBSERVACOES from REAVALIACAO")),
              QVariantList{QStringLiteral("Evoluiu bem")});
}

TEST_F(PagesTest, ClosingAfterCancellingTheEditEndsWithoutAQuestion)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    click(w->ToolButton8);   // a new patient
    focusAndType(w->DBEdit2, QStringLiteral("Bruno"));
    EXPECT_FALSE(w->close());
    EXPECT_EQ(boxes(), QStringList{"Campo 'NASCIMENTO' deve ter um valor"});
    click(w->ToolButton11);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from PACIENTE")).toInt(), 1);
}

} // namespace
