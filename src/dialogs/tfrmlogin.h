#pragma once
// The login window: the user's name (remembered on this PC) and password,
// asked before the program opens the record. A refused login shows why and
// lets her try again; Cancelar ends the program.

#include "dialogs/actiondialog.h"

class TfrmLogin : public ActionDialog {
    Q_OBJECT
public:
    // logIn: connects with the typed name and password; raises EError with
    // the reason when it cannot.
    using LogIn = std::function<void(const QString& user, const QString& password)>;
    explicit TfrmLogin(LogIn logIn, QWidget* parent = nullptr);

    QLineEdit* edtUsuario;
    QLineEdit* edtSenha;
};

// Runs the login window until the user is in (true) or gives up (false).
bool Login(const TfrmLogin::LogIn& logIn);
