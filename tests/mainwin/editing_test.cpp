// What keeps the screen current: the note loader, the patient number while
// its box has the focus, the font buttons, the guidance types, the e-mail
// box, the grid menu, help and the home page.

#include "mainwin/mainwindowfixture.h"

#include "support/columnvalues.h"

#include <QMenu>

namespace {

using EditingTest = MainWindowTest;

TEST_F(EditingTest, NotesLoadASecondAfterThePageOrTheRecordChanges)
{
    addPatient(7, QStringLiteral("Ana"));
    addSession(100, 7, "2011-03-01", QStringLiteral("Brincou de casinha"));
    addSession(101, 7, "2011-03-08", QStringLiteral("Desenhou a família"));
    openWindow();
    chooseTab(2);
    EXPECT_EQ(w->mmoConsulta->toPlainText(), QStringLiteral("(OBSERVAÇÕES)"));
    EXPECT_TRUE(w->mmoConsulta->isReadOnly());
    QTest::qWait(600);
    EXPECT_FALSE(w->mmoConsulta->isLoaded());
    QTest::qWait(600);
    EXPECT_EQ(w->mmoConsulta->toPlainText(), QStringLiteral("Brincou de casinha"));
    EXPECT_FALSE(w->mmoConsulta->isReadOnly());

    click(w->ToolButton6);   // "Próximo": the text waits for its second again
    EXPECT_EQ(w->mmoConsulta->toPlainText(), QStringLiteral("(OBSERVAÇÕES)"));
    QTest::qWait(1200);
    EXPECT_EQ(w->mmoConsulta->toPlainText(), QStringLiteral("Desenhou a família"));
}

TEST_F(EditingTest, ThePatientNumberIsBareWhileItsBoxHasTheFocus)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    ds::Field& id = dm.qryPaciente.fieldByName(QStringLiteral("ID"));
    ASSERT_EQ(focused(), w->DBEdit1);
    QTest::qWait(1200);
    EXPECT_EQ(id.tag(), 1);
    EXPECT_EQ(id.text(), QStringLiteral("7"));
    click(w->DBEdit2);
    EXPECT_EQ(w->DBEdit1->text(), QStringLiteral("7"));   // a repaint takes no text again
    QTest::qWait(1200);
    EXPECT_EQ(id.tag(), 0);
    QTest::keyClicks(w->DBEdit2, QStringLiteral("x"));   // editing starts: the box takes its text again
    EXPECT_EQ(w->DBEdit1->text(), QStringLiteral("7/11"));
}

TEST_F(EditingTest, FontButtonsStopAtSixAndThirtyPoints)
{
    openWindow();
    chooseTab(3);
    for (int i = 0; i < 25; ++i)
        click(w->SpeedButton16);
    EXPECT_EQ(TfrmClin::noteFontSize(w->mmoReavaliacao), 30);
    for (int i = 0; i < 30; ++i)
        click(w->SpeedButton17);
    EXPECT_EQ(TfrmClin::noteFontSize(w->mmoReavaliacao), 6);
    EXPECT_EQ(TfrmClin::noteFontSize(w->mmoIndicacoes), 10);   // each box keeps its own size
}

TEST_F(EditingTest, GuidanceNotesAppearOnceATypeIsChosen)
{
    addPatient(7, QStringLiteral("Ana"));
    db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (5, 'Escola')"));
    db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (3, 'Casa')"));
    db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) "
                           "VALUES (40, 3, 7, '2011-02-01', 'Rotina de sono')"));
    openWindow();
    chooseTab(5);
    EXPECT_FALSE(dm.qryOrientacao.isActive());
    EXPECT_FALSE(w->btnLocalizarOrientacao->isEnabled());
    EXPECT_EQ(navigator(), QStringLiteral("--------"));
    EXPECT_EQ(w->mmoOrientacao->toPlainText(), QString());
    EXPECT_EQ(focused(), w->cbxTipoOrientacao);
    QStringList types;
    for (int i = 0; i < w->cbxTipoOrientacao->count(); ++i)
        types << w->cbxTipoOrientacao->itemText(i);
    EXPECT_EQ(types, (QStringList{"Casa", "Escola"}));   // by ID

    EXPECT_EQ(w->cbxTipoOrientacao->currentIndex(), -1);
    QTest::keyClick(w->cbxTipoOrientacao, Qt::Key_Down);   // the user picks "Casa"
    EXPECT_EQ(w->chosenGuidanceType(), 3);
    EXPECT_TRUE(dm.qryOrientacao.isActive());
    EXPECT_EQ(columnValues(dm.qryOrientacao, QStringLiteral("CONTEUDO")), QStringList{"Rotina de sono"});
    EXPECT_TRUE(w->btnLocalizarOrientacao->isEnabled());
    click(w->ToolButton8);   // a new note of the chosen type
    EXPECT_EQ(dm.qryOrientacao.fieldByName(QStringLiteral("TIPO")).asInteger(), 3);

    // Another page and back: the chosen type stays in force.
    click(w->ToolButton11);
    chooseTab(0);
    chooseTab(5);
    EXPECT_TRUE(dm.qryOrientacao.isActive());
    EXPECT_EQ(w->cbxTipoOrientacao->count(), 2);
}

TEST_F(EditingTest, DoubleClickingTheEmailWritesToItAndTurnsItPurple)
{
    addPatient(1, QStringLiteral("Ana"));
    addPatient(2, QStringLiteral("Bia"));
    db.exec(QStringLiteral("UPDATE PACIENTE SET EMAIL = 'ana@exemplo.com.br' WHERE ID = 1"));
    openWindow();
    QTest::mouseDClick(w->dbEmail, Qt::LeftButton);
    EXPECT_EQ(shell.targets, QStringList{"mailto:ana@exemplo.com.br"});
    EXPECT_EQ(w->dbEmail->palette().color(QPalette::Text), QColor(128, 0, 128));
    click(w->ToolButton6);   // another patient: blue again
    EXPECT_EQ(w->dbEmail->palette().color(QPalette::Text), QColor(0, 0, 255));
    QTest::mouseDClick(w->dbEmail, Qt::LeftButton);   // an empty box does nothing
    EXPECT_EQ(shell.targets.size(), 1);
    EXPECT_EQ(w->dbEmail->palette().color(QPalette::Text), QColor(0, 0, 255));
}

TEST_F(EditingTest, TheGridMenuActsOnTheGridItWasOpenedOn)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    chooseTab(1);
    QTimer::singleShot(100, w->popupGrid, [this] {
        EXPECT_TRUE(w->popupGrid->isVisible());
        w->DataSetInsert2->trigger();
        w->popupGrid->close();
    });
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(20, 20), w->DBGrid1->viewport()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(w->DBGrid1->viewport(), &menu);
    QTest::qWait(300);
    EXPECT_EQ(dm.qryIrmao.state(), ds::DataSetState::Insert);
    EXPECT_EQ(dm.qryBrinquedoNaConsulta.state(), ds::DataSetState::Browse);
    EXPECT_EQ(w->DataSetDelete2->dataSource(), w->dsIrmao);
}

TEST_F(EditingTest, HelpShowsTheContentsThePageAndTheFocusedControl)
{
    openWindow();
    chooseTab(3);
    w->Conteudo1->trigger();
    w->opicSearch1->trigger();
    QTest::keyClick(focused(), Qt::Key_F1);
    chooseTab(5);
    QTest::keyClick(focused(), Qt::Key_F1);
    EXPECT_EQ(help.contexts, (QList<int>{0, 280, 280, 300}));
    w->HomePage1->trigger();
    ASSERT_EQ(shell.targets.size(), 1);
    EXPECT_TRUE(shell.targets[0].startsWith(QStringLiteral("http")));
}

} // namespace
