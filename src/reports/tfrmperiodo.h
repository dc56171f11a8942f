#pragma once
// The period dialog of the period reports: a first and a last day, checked
// before the dialog closes with OK or from its title bar; Cancel and Esc
// close at once.

#include "store/tperiodo.h"

#include <QDialog>

class QLabel;
class QPushButton;
class TOrbDateEdit;

class TfrmPeriodo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPeriodo(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    TOrbDateEdit* dtInicio;
    TOrbDateEdit* dtFim;
    QPushButton* btnOK;
    QPushButton* btnCancel;

    // False when both dates are empty. A date outside the years 1900 to
    // 2100, or a start after the end, moves the focus to the date at fault
    // and raises EError with the message for the user.
    bool Validate();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCloseQuery(bool& canClose);
    void btnCancelClick();

    // Every close asks FormCloseQuery until Cancel detaches it.
    bool m_closeQuery = true;
};

// Shows the period dialog with the period given; on OK the dialog's dates are
// written into it and the answer is true. A prompt that is not empty replaces
// the dialog's own words.
bool SelectPeriodo(TPeriodo& periodo, const QString& prompt = {});
