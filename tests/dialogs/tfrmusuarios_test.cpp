// "Usuários" through its controls, on the real server under a test
// administrator: a new user, her role, a new password, deactivation; the
// administrator cannot deactivate herself; every window's texts fit.

#include "dialogs/tfrmlogin.h"
#include "dialogs/tfrmsenha.h"
#include "dialogs/tfrmusuarios.h"
#include "store/tdm.h"
#include "support/modaldriver.h"
#include "support/scriptedmessages.h"
#include "support/testdatabase.h"
#include "support/textfit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class UsersWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<TfrmUsuarios>(admin);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override { testusers::dropUser(db.location(), newName); }

    // The rows of the list, each "name|role|state", for the run's users and the new one.
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < window->lstUsuarios->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = window->lstUsuarios->topLevelItem(i);
            if (item->text(0).startsWith(testusers::uniqueName({})))
                out << item->text(0).mid(testusers::uniqueName({}).size()) + u'|' + item->text(1) + u'|' + item->text(2);
        }
        return out;
    }
    void choose(const QString& name)
    {
        const QList<QTreeWidgetItem*> found = window->lstUsuarios->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        const QRect place = window->lstUsuarios->visualItemRect(found[0]);
        QTest::mouseClick(window->lstUsuarios->viewport(), Qt::LeftButton, {}, place.center());
        ASSERT_EQ(window->chosenUser(), name);
    }
    // Types the text key by key, accents included.
    static void type(QLineEdit* box, const QString& text)
    {
        box->clear();
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QString loginOf(const QString& password)
    {
        Tdm dm(db.folder());
        try {
            dm.logIn(newName, password);
            return dm.account().role;
        } catch (const EError& e) {
            return e.message();
        }
    }

    TestDatabase db;
    ScriptedMessages messages;
    store::UserAdmin admin{db.location(), testusers::administrator()};
    const QString newName = testusers::uniqueName(QStringLiteral(u"D'ÁVILA"));
    std::unique_ptr<TfrmUsuarios> window;
};

} // namespace

TEST_F(UsersWindowTest, ANewUserHerRoleAPasswordAndDeactivation)
{
    EXPECT_EQ(rows(), (QStringList{u"A|Administrador|Ativo"_qs, u"T|Terapeuta|Ativo"_qs}));
    EXPECT_TRUE(cutTexts(*window).isEmpty()) << describeCutTexts(cutTexts(*window)).toStdString();

    ModalDriver create([&](QWidget* modal) {
        auto* dialog = qobject_cast<TfrmNovoUsuario*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(cutTexts(*dialog).isEmpty()) << describeCutTexts(cutTexts(*dialog)).toStdString();
        type(dialog->edtUsuario, newName.toLower());
        type(dialog->edtSenha, QStringLiteral("primeira-senha"));
        type(dialog->edtConfirmacao, QStringLiteral("primeira-senhx"));
        QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
        EXPECT_EQ(dialog->lblMensagem->text(), QStringLiteral(u"A confirmação não é igual à nova senha."));
        EXPECT_TRUE(dialog->isVisible());
        type(dialog->edtConfirmacao, QStringLiteral("primeira-senha"));
        QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
    });
    QTest::mouseClick(window->btnNovo, Qt::LeftButton);
    ASSERT_TRUE(create.acted());
    EXPECT_EQ(rows(), (QStringList{u"A|Administrador|Ativo"_qs, u"D'ÁVILA|Terapeuta|Ativo"_qs, u"T|Terapeuta|Ativo"_qs}));
    EXPECT_EQ(window->chosenUser(), newName);
    EXPECT_EQ(loginOf(QStringLiteral("primeira-senha")), store::kTherapistRole);

    QTest::mouseClick(window->btnPapel, Qt::LeftButton);
    EXPECT_EQ(window->btnPapel->text(), QStringLiteral("Tornar &terapeuta"));
    EXPECT_EQ(loginOf(QStringLiteral("primeira-senha")), store::kAdministratorRole);

    ModalDriver password([&](QWidget* modal) {
        auto* dialog = qobject_cast<TfrmSenha*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Nova senha de ") + newName);
        EXPECT_EQ(dialog->edtSenhaAtual, nullptr);
        type(dialog->edtNovaSenha, QStringLiteral("segunda-senha"));
        type(dialog->edtConfirmacao, QStringLiteral("segunda-senha"));
        QTest::keyClick(dialog->edtConfirmacao, Qt::Key_Return);
    });
    QTest::mouseClick(window->btnSenha, Qt::LeftButton);
    ASSERT_TRUE(password.acted());
    EXPECT_EQ(loginOf(QStringLiteral("segunda-senha")), store::kAdministratorRole);

    messages.answers.enqueue(platform::MsgButton::Yes);
    QTest::mouseClick(window->btnAtivo, Qt::LeftButton);
    EXPECT_TRUE(rows().contains(u"D'ÁVILA|Administrador|Desativado"_qs));
    EXPECT_EQ(window->btnAtivo->text(), QStringLiteral("&Ativar"));
    EXPECT_EQ(loginOf(QStringLiteral("segunda-senha")),
              QStringLiteral(u"Usuário ou senha incorretos (ou o usuário foi desativado)."));
    QTest::mouseClick(window->btnAtivo, Qt::LeftButton);   // activating asks nothing
    EXPECT_EQ(loginOf(QStringLiteral("segunda-senha")), store::kAdministratorRole);

    ASSERT_EQ(messages.requests.size(), 2);   // the new password's notice and the question
    EXPECT_EQ(messages.requests[0].text, QStringLiteral("A senha de %1 foi trocada.").arg(newName));
    EXPECT_EQ(messages.requests[1].type, platform::MsgType::Confirmation);
}

TEST_F(UsersWindowTest, TheAdministratorCannotDeactivateHerselfAndAnAnswerNoChangesNothing)
{
    choose(testusers::administrator().user);
    messages.answers.enqueue(platform::MsgButton::Yes);
    QTest::mouseClick(window->btnAtivo, Qt::LeftButton);
    ASSERT_EQ(messages.requests.size(), 2);
    EXPECT_EQ(messages.requests[1].type, platform::MsgType::Error);
    EXPECT_EQ(messages.requests[1].text, QStringLiteral(u"Você não pode desativar o seu próprio usuário."));

    choose(testusers::therapist().user);
    messages.answers.enqueue(platform::MsgButton::No);
    QTest::mouseClick(window->btnAtivo, Qt::LeftButton);
    EXPECT_EQ(rows(), (QStringList{u"A|Administrador|Ativo"_qs, u"T|Terapeuta|Ativo"_qs}));
    EXPECT_EQ(window->chosenUser(), testusers::therapist().user);
}

TEST(LoginWindow, TextsFitWithAndWithoutARefusal)
{
    TfrmLogin login([](const QString&, const QString&) {
        throw EError(QStringLiteral(u"Usuário ou senha incorretos (ou o usuário foi desativado)."));
    });
    login.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&login));
    EXPECT_TRUE(cutTexts(login).isEmpty()) << describeCutTexts(cutTexts(login)).toStdString();
    QTest::keyClicks(login.edtUsuario, QStringLiteral("ana"));
    QTest::keyClicks(login.edtSenha, QStringLiteral("x"));
    QTest::mouseClick(login.btnOK, Qt::LeftButton);
    EXPECT_TRUE(login.isVisible());
    EXPECT_TRUE(login.lblMensagem->isVisible());
    EXPECT_TRUE(cutTexts(login).isEmpty()) << describeCutTexts(cutTexts(login)).toStdString();
}
