#pragma once
// The dialog that asks for one date and whether the next existing date may be
// taken instead; run through SelectDate.

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class TOrbDateEdit;

class TDataDlg : public QDialog {
    Q_OBJECT
public:
    explicit TDataDlg(QWidget* parent = nullptr);

    QLabel* lblInforme;
    TOrbDateEdit* odeData;
    QCheckBox* chkRetornarProxima;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    void odeDataChange();
};

// Asks for a date (a day count, 0 for none). On OK, date and next take the
// dialog's values and the answer is true; on Cancel both stay as they came.
bool SelectDate(double& date, bool& next);
