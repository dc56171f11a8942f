// The user's own password and, for administrators, the program's users. An
// error (the server refusing the administrator's rights) reaches the error
// hook through the menu item's handler.

#include "dialogs/tfrmsenha.h"
#include "dialogs/tfrmusuarios.h"
#include "mainwin/tfrmclin.h"
#include "platform/messages.h"

#include <memory>

// "Alterar senha...": the logged-in user's own password.
void TfrmClin::AlterarSenha1Click()
{
    const auto dialog = std::make_unique<TfrmSenha>(
        QStringLiteral("Alterar senha"), true,
        [this](const QString& current, const QString& next) { dm.changeOwnPassword(current, next); }, this);
    if (dialog->exec() == QDialog::Accepted)
        platform::showInformation(QStringLiteral(u"A sua senha foi trocada."));
}

// "Usuários...": the users of this database, through an attachment of their own.
void TfrmClin::Usuarios1Click()
{
    store::UserAdmin admin(dm.databaseLocation(), dm.account());
    const auto dialog = std::make_unique<TfrmUsuarios>(admin, this);
    dialog->exec();
}
