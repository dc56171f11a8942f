#include "dialogs/tfrmlogin.h"

#include "platform/settings.h"

#include <QLabel>
#include <QLineEdit>
#include <memory>

TfrmLogin::TfrmLogin(LogIn logIn, QWidget* parent) : ActionDialog(QStringLiteral("Entrar no Marvok"), parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    edtUsuario = addTextRow(QStringLiteral(u"&Usuário:"), "edtUsuario", false);
    edtSenha = addTextRow(QStringLiteral("&Senha:"), "edtSenha", true);
    edtUsuario->setText(platform::rememberedUser());
    (edtUsuario->text().isEmpty() ? edtUsuario : edtSenha)->setFocus();
    action = [this, logIn = std::move(logIn)] {
        try {
            logIn(edtUsuario->text(), edtSenha->text());
        } catch (...) {
            // Another try starts from an empty password.
            edtSenha->clear();
            edtSenha->setFocus();
            throw;
        }
        platform::rememberUser(edtUsuario->text().trimmed());
    };
}

bool Login(const TfrmLogin::LogIn& logIn)
{
    const auto dialog = std::make_unique<TfrmLogin>(logIn);
    return dialog->exec() == QDialog::Accepted;
}
