#include "dialogs/tfrmsenha.h"

#include "core/eerror.h"

#include <QLineEdit>

void requireSamePassword(const QString& next, const QString& confirmation)
{
    if (next != confirmation)
        throw EError(QStringLiteral(u"A confirmação não é igual à nova senha."));
}

TfrmSenha::TfrmSenha(const QString& title, bool askCurrent, Change change, QWidget* parent)
    : ActionDialog(title, parent)
{
    setObjectName(QStringLiteral("frmSenha"));
    if (askCurrent)
        edtSenhaAtual = addTextRow(QStringLiteral("Senha &atual:"), "edtSenhaAtual", true);
    edtNovaSenha = addTextRow(QStringLiteral("&Nova senha:"), "edtNovaSenha", true);
    edtConfirmacao = addTextRow(QStringLiteral("&Confirme a nova senha:"), "edtConfirmacao", true);
    action = [this, change = std::move(change)] {
        requireSamePassword(edtNovaSenha->text(), edtConfirmacao->text());
        change(edtSenhaAtual ? edtSenhaAtual->text() : QString(), edtNovaSenha->text());
    };
}
