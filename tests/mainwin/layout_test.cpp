// The window's frame and pages: the command bar and its menus, the
// navigator, the tab strip, what every box shows, the tab order, and how the
// pages follow the window's size.

#include "mainwin/mainwindowfixture.h"
#include "support/textfit.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

namespace {

QStringList captions(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// The columns of a picture that hold ink at or below a row, left to right.
QList<int> inkColumns(const QImage& image, int top)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 140) {
                columns << x;
                break;
            }
    return columns;
}

// How wide the ink of a caption is in a font, from its first to its last column.
int captionInkWidth(const QFont& font, const QString& caption)
{
    const QFontMetrics fm(font);
    QImage image(fm.horizontalAdvance(caption) + 8, fm.height() + 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(4, 2 + fm.ascent()), caption);
    painter.end();
    const QList<int> ink = inkColumns(image, 0);
    return ink.isEmpty() ? 0 : ink.back() - ink.front() + 1;
}

class LayoutTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        addPatient(7, QStringLiteral("Ana Souza"));
        db.exec(QStringLiteral("INSERT INTO ESCOLA (ID, NOME) VALUES (1, 'Escola Estadual Pedro II')"));
        db.exec(QStringLiteral("UPDATE PACIENTE SET ESCOLA = 1, EMAIL = 'ana@exemplo.com.br', UF = 'SP'"));
        db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME) VALUES (7, 'M', 'Maria Souza')"));
        // The widest values the grids show: a sibling's age in two-digit
        // years and months, a toy's name of twenty letters, a long note.
        Clock::set(QDateTime(QDate(2025, 12, 10), QTime(10, 0)));
        db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) "
                               "VALUES (50, 7, 'Bernardo Henrique Albuquerque Souza', '2000-01-01')"));
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (60, 'Quebra-cabeça grande')"));
        addSession(61, 7, "2025-11-03");
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (60, 61)"));
        db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (62, 7, '2025-11-03', '%1')")
                    .arg(QString(120, u'M')));
        openWindow();
    }
};

TEST_F(LayoutTest, CommandBarButtonsAndMenus)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Marvok"));
    EXPECT_EQ(w->size(), QSize(484, 471));
    EXPECT_EQ(w->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(w->font().pointSize(), 8);
    EXPECT_EQ(w->CoolBar1->height(), 47);
    EXPECT_EQ(w->ToolBar1->height(), 44);
    EXPECT_EQ(w->ToolBar1->width(), w->CoolBar1->width());

    struct Button {
        QToolButton* button;
        const char* caption;
        const char* hint;
        QMenu* menu;
    } const buttons[] = {{w->ToolButton2, "Menu", "", w->popTabelas},
                         {w->ToolButton12, "Relatórios", "", w->popRelat},
                         {w->ToolButton14, "&Ferramentas", "", w->popTools},
                         {w->ToolButton13, "A&juda", "Ajuda", w->popHelp},
                         {w->ToolButton1, "Sai&r", "Sair", nullptr}};
    int left = -1;
    for (const Button& b : buttons) {
        EXPECT_EQ(b.button->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(b.button->toolTip(), QString::fromUtf8(b.hint));
        EXPECT_EQ(b.button->menu(), b.menu);
        EXPECT_GE(b.button->width(), 74);
        EXPECT_EQ(b.button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_FALSE(b.button->icon().isNull());
        EXPECT_GT(b.button->x(), left);   // in this order, left to right
        left = b.button->x();
    }
    EXPECT_EQ(w->ToolButton1->x() - (w->ToolButton13->x() + w->ToolButton13->width()), 8);   // the separator

    // A menu button's arrow stands just after its caption, apart from it and
    // inside the button, whatever the caption's length.
    for (QToolButton* b : {w->ToolButton2, w->ToolButton12, w->ToolButton14, w->ToolButton13}) {
        const std::string name = b->objectName().toStdString();
        const QList<int> ink = inkColumns(b->grab().toImage(), b->iconSize().height() + 3);
        ASSERT_FALSE(ink.isEmpty()) << name;
        const int captionEnd = ink.front() + captionInkWidth(b->font(), QString(b->text()).remove(u'&')) - 1;
        QList<int> arrow;
        for (int x : ink)
            if (x > captionEnd + 1)
                arrow << x;
        ASSERT_FALSE(arrow.isEmpty()) << name << ": no arrow after the caption";
        EXPECT_EQ(arrow.back() - arrow.front() + 1, arrow.size()) << name << ": the arrow is not one piece";
        EXPECT_GE(arrow.size(), 5) << name << ": no whole arrow after the caption";
        EXPECT_LE(arrow.size(), 9) << name;
        EXPECT_LE(arrow.front() - captionEnd - 1, 6) << name << ": the arrow stands far from the caption";
        EXPECT_LT(arrow.back(), b->width() - 2) << name;
    }

    EXPECT_EQ(captions(w->popTabelas),
              (QStringList{"Terapeuta", "Caráter", "Brinquedo", "Tipo de Orientação", "Escola", "Instrução"}));
    EXPECT_EQ(captions(w->popRelat),
              (QStringList{"Dados Gerais", "Sessão", "Reavaliações", "Indicações", "Orientações", "Histórico", "-",
                           "Exportar prontuário", "Histórico de alterações..."}));
    // The window's user is an administrator (a therapist's menu: users_test).
    // The window's user is an administrator (a therapist's menu: users_test).
    EXPECT_EQ(captions(w->popTools),
              (QStringList{"Backup", "Dados do consultório...", "-", "Alterar senha...", "Usuários..."}));
    EXPECT_EQ(captions(w->CpiadeSegurana1), (QStringList{"Salvar...", "Restaurar..."}));
    EXPECT_EQ(captions(w->popHelp), (QStringList{"Conteúdo", "Contexto", "-", "Sobre", "Home Page"}));
    EXPECT_EQ(w->Conteudo1->toolTip(), QStringLiteral("Conteúdo da Ajuda"));

    // A click on a button's face drops its menu under the button's left edge.
    QTimer::singleShot(100, w->popRelat, [this] {
        EXPECT_TRUE(w->popRelat->isVisible());
        EXPECT_EQ(w->popRelat->pos(), w->ToolButton12->mapToGlobal(QPoint(0, w->ToolButton12->height())));
        w->popRelat->close();
    });
    click(w->ToolButton12);
}

TEST_F(LayoutTest, NavigatorTabStripAndPageArea)
{
    const QStringList expected{"Primeiro", "Anterior", "Próximo", "Último", "Novo", "Excluir", "Salvar",
                               "Cancelar"};
    const QToolButton* buttons[] = {w->ToolButton4, w->ToolButton5, w->ToolButton6,  w->ToolButton7,
                                    w->ToolButton8, w->ToolButton9, w->ToolButton10, w->ToolButton11};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(buttons[i]->text(), expected[i]);
        EXPECT_EQ(buttons[i]->toolTip(), expected[i]);
        EXPECT_EQ(buttons[i]->height(), 36);
        EXPECT_GE(buttons[i]->width(), 49);
        EXPECT_FALSE(buttons[i]->icon().isNull());
    }
    EXPECT_EQ(w->ToolBar2->height(), 37);
    EXPECT_EQ(w->ToolBar2->x(), 4);
    EXPECT_EQ(w->pnlWork->width() - w->ToolBar2->geometry().right() - 1, 4);
    EXPECT_EQ(w->ToolBar2->geometry().bottom() < w->pnlWork->height(), true);

    QStringList tabs;
    for (int i = 0; i < w->TabSet1->count(); ++i)
        tabs << w->TabSet1->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Ficha", "Família", "Sessões", "Reavaliações", "Indicações", "Orientações",
                                 "Histórico"}));
    EXPECT_EQ(w->TabSet1->toolTip(), QStringLiteral("Próxima aba = Ctrl+TAB"));
    EXPECT_EQ(w->TabSet1->height(), 21);
    EXPECT_EQ(w->TabSet1->geometry().bottom(), w->height() - 1);
    EXPECT_EQ(w->tsFicha->size(), QSize(474, 333));
    EXPECT_TRUE(w->tsFicha->isVisible());
    for (QWidget* other : {w->tsFamilia, w->tsSessoes, w->tsAvaliacoes, w->tsIndicacoes, w->tsOrientacoes,
                           w->tsHistorico})
        EXPECT_FALSE(other->isVisible());

    // Help contexts: the window, the navigator, and every control by its page.
    EXPECT_EQ(TfrmClin::helpContext(w.get()), 10);
    EXPECT_EQ(TfrmClin::helpContext(w->ToolButton6), 120);
    const std::pair<QWidget*, int> onPages[] = {{w->DBEdit17, 250}, {w->DBGrid1, 260}, {w->mmoConsulta, 270},
                                                {w->DBEdit21, 280}, {w->DBEdit23, 290}, {w->cbxTipoOrientacao, 300},
                                                {w->DBGrid3, 310}};
    for (const auto& [control, context] : onPages)
        EXPECT_EQ(TfrmClin::helpContext(control), context) << control->objectName().toStdString();
}

TEST_F(LayoutTest, BoxesShowTheirFieldsAndTabFollowsTheRows)
{
    EXPECT_EQ(w->DBEdit1->text(), QStringLiteral("7/11"));
    EXPECT_EQ(w->DBComboBox1->currentText(), QStringLiteral("Ativo"));
    EXPECT_EQ(w->DBEdit2->text(), QStringLiteral("Ana Souza"));
    EXPECT_EQ(w->dbEmail->text(), QStringLiteral("ana@exemplo.com.br"));
    EXPECT_EQ(w->DBEdit3->text(), QStringLiteral("10/06/2005"));
    EXPECT_EQ(w->DBEdit11->text(), QStringLiteral("SP"));
    EXPECT_EQ(w->DBLookupComboBox2->currentText(), QStringLiteral("Escola Estadual Pedro II"));
    EXPECT_EQ(w->DBEdit15->text(), QStringLiteral("Maria Souza"));
    EXPECT_EQ(w->mmoConsulta->font().pointSize(), 10);
    EXPECT_EQ(w->lblEscola->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(w->dbEmail->palette().color(QPalette::Text), QColor(0, 0, 255));
    // Every page but "Ficha" begins with the patient's name, in bold.
    for (QWidget* p : {w->tsFamilia, w->tsSessoes, w->tsAvaliacoes, w->tsIndicacoes, w->tsOrientacoes,
                       w->tsHistorico}) {
        auto* name = p->findChild<controls::FieldLabel*>();
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), QStringLiteral("Ana Souza"));
        EXPECT_EQ(name->x(), 11);
        EXPECT_EQ(name->geometry().bottom(), 16 + name->fontMetrics().height() - 1);
        EXPECT_TRUE(name->font().bold());
    }

    // Tab runs through "Ficha" row by row.
    const QList<QWidget*> order{w->DBEdit1,  w->DBComboBox1, w->DBEdit2,  w->dbEmail,  w->DBEdit3,
                                w->DBEdit4,  w->DBEdit5,     w->DBEdit7,  w->DBEdit8,  w->DBEdit25,
                                w->DBEdit9,  w->DBEdit10,    w->DBEdit11, w->DBEdit12, w->DBLookupComboBox1,
                                w->DBLookupComboBox2,        w->DBLookupComboBox3,     w->DBLookupComboBox4,
                                w->DBEdit17};
    ASSERT_EQ(focused(), w->DBEdit1);
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        EXPECT_EQ(focused(), order[i]) << "after " << order[i - 1]->objectName().toStdString();
    }
    // Alt with a label's access key moves the focus to its box.
    QTest::keyClick(focused(), Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(focused(), w->DBEdit2);
    QTest::keyClick(focused(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(focused(), w->DBLookupComboBox3);
}

TEST_F(LayoutTest, EveryCaptionAndGridValueFitsItsControlInTheWindowFontOnEveryPage)
{
    for (int page = 0; page < w->TabSet1->count(); ++page) {
        w->TabSet1->setCurrentIndex(page);
        const QList<CutText> cut = cutTexts(*w);
        EXPECT_TRUE(cut.isEmpty()) << "page " << page << ":\n" << describeCutTexts(cut).toStdString();
        // No grid needs a scroll bar to the side for its columns.
        QApplication::processEvents();
        for (const controls::DataGrid* grid : {w->DBGrid1, w->DBGrid2, w->DBGrid3})
            EXPECT_FALSE(grid->isVisible() && grid->horizontalScrollBar()->isVisible())
                << grid->objectName().toStdString();
    }
}

TEST_F(LayoutTest, AtTheMinimumHeightBoxesShrinkAndTheFormScrolls)
{
    w->resize(600, 100);
    QApplication::processEvents();
    EXPECT_EQ(w->minimumHeight(), 459 - (w->frameGeometry().height() - w->height()));
    const int lost = 471 - w->height();
    chooseTab(1);
    EXPECT_EQ(w->DBGrid1->geometry(), QRect(3, 207, 438, 116 - lost));   // anchored left, top and bottom
    chooseTab(3);
    EXPECT_EQ(w->mmoReavaliacao->geometry(), QRect(11, 97, 434 + 116, 213 - lost));
    chooseTab(4);
    EXPECT_EQ(w->DBEdit23->geometry(), QRect(151, 51, 294 + 116, 21));
    chooseTab(0);
    // The form keeps its size; the page scrolls to its last row.
    EXPECT_GE(w->pnlForm->height(), 324);
    EXPECT_GE(w->pnlForm->width(), 451);
    EXPECT_TRUE(w->sbxFicha->verticalScrollBar()->isVisible() || w->tsFicha->height() >= 324);
}

} // namespace
