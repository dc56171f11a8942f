// The user's own password and the users from the "Ferramentas" menu: a
// therapist sees only her password; an administrator also the backups and
// "Usuários".

#include "dialogs/tfrmsenha.h"
#include "dialogs/tfrmusuarios.h"
#include "mainwindowfixture.h"
#include "support/modaldriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QStringList shownItems(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        if (a->isVisible() && !a->isSeparator())
            out << a->text();
    return out;
}

class UsersFromWindowTest : public MainWindowTest {
protected:
    void SetUp() override { openWindow(); }
};

} // namespace

TEST_F(UsersFromWindowTest, ATherapistSeesOnlyHerPasswordAndChangesItWithHerCurrentOne)
{
    EXPECT_EQ(shownItems(w->popTools), (QStringList{"Backup", "Dados do consultório...", "Alterar senha...", "Usuários..."}));

    testusers::ScopedUser user(db.location(), testusers::uniqueName(QStringLiteral("MENU")),
                               testusers::ScopedUser::Role::Therapist);
    Tdm hers(db.folder());
    hers.logIn(user.name(), user.password());
    TfrmClin window(hers);
    EXPECT_EQ(shownItems(window.popTools), QStringList{"Alterar senha..."});

    ModalDriver change([&](QWidget* modal) {
        auto* dialog = qobject_cast<TfrmSenha*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Alterar senha"));
        QTest::keyClicks(dialog->edtSenhaAtual, QStringLiteral("nao-e-ela"));
        QTest::keyClicks(dialog->edtNovaSenha, QStringLiteral("outra-senha-1"));
        QTest::keyClicks(dialog->edtConfirmacao, QStringLiteral("outra-senha-1"));
        QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
        EXPECT_EQ(dialog->lblMensagem->text(), QStringLiteral(u"A senha atual não confere."));
        dialog->edtSenhaAtual->clear();
        QTest::keyClicks(dialog->edtSenhaAtual, user.password());
        QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
    });
    window.AlterarSenha1->trigger();
    ASSERT_TRUE(change.acted());
    EXPECT_EQ(boxes(), QStringList{u"A sua senha foi trocada."_qs});
    Tdm again(db.folder());
    EXPECT_NO_THROW(again.logIn(user.name(), QStringLiteral("outra-senha-1")));
}

TEST_F(UsersFromWindowTest, UsuariosListsTheUsersOfTheDatabase)
{
    QStringList listed;
    ModalDriver users([&](QWidget* modal) {
        auto* dialog = qobject_cast<TfrmUsuarios*>(modal);
        ASSERT_NE(dialog, nullptr);
        for (int i = 0; i < dialog->lstUsuarios->topLevelItemCount(); ++i)
            listed << dialog->lstUsuarios->topLevelItem(i)->text(0);
        QTest::mouseClick(dialog->btnFechar, Qt::LeftButton);
    });
    w->Usuarios1->trigger();
    ASSERT_TRUE(users.acted());
    EXPECT_TRUE(listed.contains(testusers::administrator().user));
    EXPECT_TRUE(listed.contains(testusers::therapist().user));
    EXPECT_TRUE(boxes().isEmpty());
}
