#include "dialogs/actiondialog.h"

#include "core/eerror.h"
#include "platform/windowfont.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ActionDialog::ActionDialog(const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(title);
    setFont(platform::windowFont());
    auto* layout = new QVBoxLayout(this);
    m_form = new QFormLayout;
    m_form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    layout->addLayout(m_form);

    lblMensagem = new QLabel(this);
    lblMensagem->setObjectName(QStringLiteral("lblMensagem"));
    lblMensagem->setWordWrap(true);
    lblMensagem->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    lblMensagem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblMensagem->hide();
    layout->addWidget(lblMensagem);

    auto* buttons = new QDialogButtonBox(this);
    btnOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancelar = buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

QLineEdit* ActionDialog::addTextRow(const QString& label, const char* name, bool secret)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    if (secret)
        box->setEchoMode(QLineEdit::Password);
    addRow(label, box);
    return box;
}

void ActionDialog::addRow(const QString& label, QWidget* field)
{
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    m_form->addRow(caption, field);
}

void ActionDialog::showMessage(const QString& text)
{
    lblMensagem->setText(QString(text).replace(u'\r', u'\n'));
    lblMensagem->setVisible(!text.isEmpty());
    adjustSize();
}

void ActionDialog::accept()
{
    if (action) {
        QString refusal;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            action();
        } catch (const EError& error) {
            refusal = error.message();
        } catch (...) {
            QApplication::restoreOverrideCursor();
            throw;
        }
        QApplication::restoreOverrideCursor();
        if (!refusal.isEmpty()) {
            showMessage(refusal);
            return;
        }
    }
    QDialog::accept();
}
