// The reference-table commands: which table each menu item and link label
// opens under which caption, the visited colour, and what the editor adds
// appearing at once where the table is offered.

#include "mainwin/mainwindowfixture.h"

#include "dialogs/tfrmtabela.h"
#include "support/modaldriver.h"

#include <QComboBox>

namespace {

class TablesTest : public MainWindowTest {
protected:
    // Runs the command and reads the editor it opens, which is then closed.
    void open(const std::function<void()>& command)
    {
        ModalDriver driver([this](QWidget* modal) {
            auto* editor = qobject_cast<TfrmTabela*>(modal);
            ASSERT_NE(editor, nullptr);
            const ds::DataSet* data = editor->DataSource1->dataSet();
            const ds::Field* id = data ? data->findField(QStringLiteral("ID")) : nullptr;
            opened << QStringLiteral("%1 %2 %3")
                          .arg(editor->windowTitle(), data ? data->name() : QStringLiteral("?"),
                               id && !id->visible() ? QStringLiteral("sem ID") : QStringLiteral("com ID"));
            if (onOpen)
                onOpen(editor);
            editor->reject();
        });
        command();
        EXPECT_TRUE(driver.acted());
    }

    QStringList opened;
    std::function<void(TfrmTabela*)> onOpen;
};

TEST_F(TablesTest, MenuItemsAndLinkLabelsOpenTheirTables)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    const std::pair<QAction*, const char*> menu[] = {
        {w->erapeuta1, "Terapeuta qryTerapeuta sem ID"},
        {w->Carter1, "Caráter qryCarater sem ID"},
        {w->Brinquedo1, "Brinquedo qryBrinquedo sem ID"},
        {w->ipoOrientao1, "Tipo de Orientação qryTipoOrientacao sem ID"},
        {w->Escola1, "Escola qryEscola sem ID"},
        {w->Instruo1, "Instrução qryInstrucao sem ID"}};
    for (const auto& entry : menu) {
        QAction* item = entry.first;
        const char* expected = entry.second;
        opened.clear();
        open([item] { item->trigger(); });
        EXPECT_EQ(opened, QStringList{QString::fromUtf8(expected)});
    }

    // The three roads to "Instrução" open the same table; a clicked label turns purple.
    opened.clear();
    open([this] { click(w->lblInstrucao); });
    chooseTab(1);
    open([this] { click(w->Label16); });
    open([this] { click(w->Label21); });
    EXPECT_EQ(opened, QStringList(3, QStringLiteral("Instrução qryInstrucao sem ID")));
    for (controls::LinkLabel* l : {w->lblInstrucao, w->Label16, w->Label21})
        EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(128, 0, 128));
    EXPECT_EQ(w->lblEscola->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    opened.clear();
    chooseTab(0);
    for (controls::LinkLabel* l : {w->lblEscola, w->lblTerapeuta, w->lblCarater})
        open([this, l] { click(l); });
    chooseTab(2);
    open([this] { click(w->lblBrinquedos); });
    chooseTab(5);
    open([this] { click(w->lblTipoOrientacao); });
    EXPECT_EQ(opened, (QStringList{"Escola qryEscola sem ID", "Terapeuta qryTerapeuta sem ID",
                                   "Caráter qryCarater sem ID", "Brinquedo qryBrinquedo sem ID",
                                   "Tipo de Orientação qryTipoOrientacao sem ID"}));
}

TEST_F(TablesTest, AToyAddedInTheEditorIsOfferedAtOnceAndAnEditInProgressStays)
{
    addPatient(7, QStringLiteral("Ana"));
    addSession(100, 7, "2011-03-01");
    db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (900, 'Bola')"));
    openWindow();
    focusAndType(w->DBEdit17, QStringLiteral("Santos"));   // a patient edit in progress
    ASSERT_EQ(dm.qryPaciente.state(), ds::DataSetState::Edit);

    onOpen = [](TfrmTabela* editor) {
        ds::DataSet& toys = *editor->DataSource1->dataSet();
        toys.append();
        toys.fieldByName(QStringLiteral("BRINQUEDO")).setValue(QStringLiteral("Pipa"));
        toys.post();
    };
    open([this] { w->Brinquedo1->trigger(); });
    EXPECT_EQ(dm.qryPaciente.state(), ds::DataSetState::Edit);   // neither saved nor cancelled

    chooseTab(2);
    click(w->DBGrid2->viewport());
    QTest::keyClick(w->DBGrid2, Qt::Key_Insert);
    QTest::keyClick(w->DBGrid2, Qt::Key_F2);
    auto* box = w->DBGrid2->viewport()->findChild<QComboBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_GE(box->findText(QStringLiteral("Pipa")), 0);
    EXPECT_GE(box->findText(QStringLiteral("Bola")), 0);
}

} // namespace
