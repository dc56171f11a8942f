#pragma once
// A new password, typed twice: the user's own (with her current one) or one
// an administrator gives another user.

#include "dialogs/actiondialog.h"

class TfrmSenha : public ActionDialog {
    Q_OBJECT
public:
    // change: sets the password (current is empty when not asked for);
    // raises EError with the reason when it cannot.
    using Change = std::function<void(const QString& current, const QString& next)>;
    // askCurrent: the user's own password, confirmed by her current one.
    TfrmSenha(const QString& title, bool askCurrent, Change change, QWidget* parent = nullptr);

    QLineEdit* edtSenhaAtual = nullptr;   // only when asked for
    QLineEdit* edtNovaSenha;
    QLineEdit* edtConfirmacao;
};

// Raises EError when the confirmation differs from the new password.
void requireSamePassword(const QString& next, const QString& confirmation);
