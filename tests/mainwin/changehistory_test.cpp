// The change history from the patient's page and the "Relatórios" menu: what
// is being typed is saved first and shows as the newest change, by the
// window's user; without a patient the window says so and opens nothing.

#include "dialogs/tfrmhistoricoalteracoes.h"
#include "mainwindowfixture.h"
#include "support/modaldriver.h"

#include <QPushButton>
#include <QTreeWidget>

namespace {

class ChangeHistoryFromWindowTest : public MainWindowTest {};

} // namespace

TEST_F(ChangeHistoryFromWindowTest, ThePatientsPageButtonShowsTheEditJustTypedAsTheNewestChange)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    retype(w->DBEdit2, QStringLiteral(u"Ana Clara"));   // typed, not yet saved
    QString title;
    QStringList newest;
    ModalDriver history([&](QWidget* modal) {
        auto* dialog = qobject_cast<TfrmHistoricoAlteracoes*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        const QTreeWidgetItem* item = dialog->lstAlteracoes->topLevelItem(0);
        ASSERT_NE(item, nullptr);
        for (int c = 1; c < item->columnCount(); ++c)
            newest << item->text(c);
        QTest::mouseClick(dialog->btnFechar, Qt::LeftButton);
    });
    click(w->btnHistoricoAlteracoes);
    ASSERT_TRUE(history.acted());
    EXPECT_EQ(title, QStringLiteral(u"Histórico de alterações - Ana Clara"));
    EXPECT_EQ(newest, (QStringList{testusers::administrator().user, QStringLiteral("Ficha 7"), QStringLiteral(u"Alteração"),
                                   QStringLiteral("Nome"), QStringLiteral("Ana"), QStringLiteral("Ana Clara")}));
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_TRUE(w->popRelat->actions().contains(w->Historicodealteracoes1));
}

TEST_F(ChangeHistoryFromWindowTest, WithoutAPatientTheMenuSaysSo)
{
    openWindow();
    w->Historicodealteracoes1->trigger();
    EXPECT_EQ(boxes(), QStringList{u"Não há paciente para mostrar o histórico de alterações."_qs});
}
