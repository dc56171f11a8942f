#include "dialogs/tdatadlg.h"

#include "controls/torbdateedit.h"
#include "dialogs/wrappedcheckbox.h"
#include "platform/windowfont.h"

#include <QLabel>
#include <QPushButton>
#include <memory>

TDataDlg::TDataDlg(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral(u"Seleção de Data"));
    setFont(platform::windowFont());
    setFixedSize(255, 138);

    lblInforme = new QLabel(QStringLiteral(u"Digite a data desejada:"), this);
    lblInforme->setObjectName(QStringLiteral("lblInforme"));
    lblInforme->move(16, 16);
    lblInforme->adjustSize();

    odeData = new TOrbDateEdit(this);
    odeData->setObjectName(QStringLiteral("odeData"));
    odeData->setGeometry(153, 13, 80, 21);
    odeData->setMaxLength(10);

    chkRetornarProxima = new WrappedCheckBox(QStringLiteral(u"Retornar próxima data se a desejada não for encontrada"), this);
    chkRetornarProxima->setObjectName(QStringLiteral("chkRetornarProxima"));
    chkRetornarProxima->setGeometry(16, 45, 217, 24);

    btnOK = new QPushButton(QStringLiteral(u"OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(40, 96, 75, 25);
    btnOK->setDefault(true);
    btnOK->setEnabled(false);

    btnCancel = new QPushButton(QStringLiteral(u"Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(144, 96, 75, 25);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(odeData, &QLineEdit::textChanged, this, &TDataDlg::odeDataChange);
    odeData->setFocus();
}

void TDataDlg::odeDataChange() { btnOK->setEnabled(true); }

bool SelectDate(double& date, bool& next)
{
    const auto dialog = std::make_unique<TDataDlg>();
    dialog->chkRetornarProxima->setEnabled(next);
    dialog->odeData->setValue(date);
    if (dialog->exec() != QDialog::Accepted)
        return false;
    date = dialog->odeData->Value();
    next = dialog->chkRetornarProxima->isChecked();
    return true;
}
