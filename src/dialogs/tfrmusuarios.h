#pragma once
// "Usuários": the program's users of this database, for an administrator.
// She creates a user with her role and first password, gives a user a new
// password, deactivates or activates one, and makes one an administrator or
// a therapist. Every change reaches the server at once; a refused one is
// shown and the list read again.

#include "dialogs/actiondialog.h"
#include "store/useradmin.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class TfrmUsuarios : public QDialog {
    Q_OBJECT
public:
    explicit TfrmUsuarios(store::UserAdmin& admin, QWidget* parent = nullptr);

    QTreeWidget* lstUsuarios;
    QPushButton* btnNovo;
    QPushButton* btnSenha;
    QPushButton* btnAtivo;    // "Desativar" or "Ativar", as the chosen user is
    QPushButton* btnPapel;    // "Tornar administrador" or "Tornar terapeuta"
    QPushButton* btnFechar;

    // The user chosen in the list (empty: none).
    QString chosenUser() const;

private:
    void reload(const QString& choose = {});
    void chosenChanged();
    void btnNovoClick();
    void btnSenhaClick();
    void btnAtivoClick();
    void btnPapelClick();
    // Runs a change of the chosen user; an error is shown. Then reads the list again.
    void change(const std::function<void(const store::UserEntry&)>& what);

    store::UserAdmin& m_admin;
    QList<store::UserEntry> m_users;
};

// The dialog of a new user: name, password typed twice, role.
class TfrmNovoUsuario : public ActionDialog {
    Q_OBJECT
public:
    using Create = std::function<void(const QString& name, const QString& password, store::UserRole role)>;
    explicit TfrmNovoUsuario(Create create, QWidget* parent = nullptr);

    QLineEdit* edtUsuario;
    QLineEdit* edtSenha;
    QLineEdit* edtConfirmacao;
    QComboBox* cbxPapel;
};
