#pragma once
// A small form whose OK runs an action: the rows of boxes the caller adds,
// a line for the action's refusal, and OK and Cancelar. When the action
// raises an error its message shows in the dialog, which stays open with
// everything typed still in it; otherwise the dialog closes accepted.

#include <QDialog>
#include <functional>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class ActionDialog : public QDialog {
    Q_OBJECT
public:
    explicit ActionDialog(const QString& title, QWidget* parent = nullptr);

    QLabel* lblMensagem;
    QPushButton* btnOK;
    QPushButton* btnCancelar;

    // Runs on OK; an EError it raises is shown and keeps the dialog open.
    std::function<void()> action;

    // Shows a refusal under the boxes (empty: none).
    void showMessage(const QString& text);

protected:
    // A row with its label ("&" marks the access key) and a box for one
    // line of text, hidden as it is typed when secret.
    QLineEdit* addTextRow(const QString& label, const char* name, bool secret);
    void addRow(const QString& label, QWidget* field);
    void accept() override;

private:
    QFormLayout* m_form;
};
