#include "reports/tfrmperiodo.h"

#include "controls/errorhandler.h"
#include "controls/torbdateedit.h"
#include "dataset/dateformat.h"
#include "icons/icons.h"
#include "platform/windowfont.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <memory>

namespace {

TOrbDateEdit* dateBox(QWidget* owner, const char* name, int left)
{
    auto* box = new TOrbDateEdit(owner);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(left, 83, 80, 21);
    box->setMaxLength(10);
    return box;
}

QLabel* caption(QWidget* owner, const char* name, const QString& text, int left, QWidget* buddy)
{
    auto* label = new QLabel(text, owner);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, 64);
    label->adjustSize();
    label->setBuddy(buddy);
    return label;
}

QDate dateOf(const TOrbDateEdit* box) { return box->Value() == 0 ? QDate() : ds::daysToDate(box->Value()); }

} // namespace

TfrmPeriodo::TfrmPeriodo(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmPeriodo"));
    setWindowTitle(QStringLiteral(u"Seleção de Período"));
    setFont(platform::windowFont());
    setFixedSize(291, 172);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 16, 33, 33);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(icons::get(QStringLiteral("x-office-calendar")).pixmap(QSize(32, 32), devicePixelRatioF()));

    Label1 = new QLabel(QStringLiteral(u"Selecione o período desejado"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(64, 16, 209, 33);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    QFont bold = font();
    bold.setBold(true);
    Label1->setFont(bold);

    dtInicio = dateBox(this, "dtInicio", 64);
    dtFim = dateBox(this, "dtFim", 160);
    Label2 = caption(this, "Label2", QStringLiteral(u"Início:"), 64, dtInicio);
    Label3 = caption(this, "Label3", QStringLiteral("Fim:"), 160, dtFim);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(64, 128, 75, 25);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancelar"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(160, 128, 75, 25);

    setTabOrder(dtInicio, dtFim);
    setTabOrder(dtFim, btnOK);
    setTabOrder(btnOK, btnCancel);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmPeriodo::btnCancelClick);
    dtInicio->setFocus();
}

bool TfrmPeriodo::Validate()
{
    if (dtInicio->Value() == 0 && dtFim->Value() == 0)
        return false;
    auto fail = [](TOrbDateEdit* at, const QString& message) {
        at->setFocus();
        throw EError(message);
    };
    // An empty date counts as one in 1899.
    if (dtInicio->Year() < 1900 || dtInicio->Year() > 2100)
        fail(dtInicio, QStringLiteral(u"Data inválida"));
    if (dtFim->Year() < 1900 || dtFim->Year() > 2100)
        fail(dtFim, QStringLiteral(u"Data inválida"));
    if (dtInicio->Value() > dtFim->Value())
        fail(dtInicio, QStringLiteral(u"A data inicial não pode ser maior que a data final."));
    return true;
}

void TfrmPeriodo::FormCloseQuery(bool& canClose) { canClose = Validate(); }

void TfrmPeriodo::done(int result)
{
    if (m_closeQuery) {
        bool canClose = false;
        // A refused period keeps the dialog open; its message goes to the program's error display.
        if (!controls::attempt([&] { FormCloseQuery(canClose); }) || !canClose)
            return;
    }
    QDialog::done(result);
}

void TfrmPeriodo::btnCancelClick()
{
    m_closeQuery = false;
    reject();
}

void TfrmPeriodo::keyPressEvent(QKeyEvent* event)
{
    // Esc is the Cancel button's key: it closes without checking the dates.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnCancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmPeriodo::showEvent(QShowEvent* event)
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

bool SelectPeriodo(TPeriodo& periodo, const QString& prompt)
{
    const auto dialog = std::make_unique<TfrmPeriodo>();
    dialog->dtInicio->setValue(ds::dateToDays(periodo.Inicio));
    dialog->dtFim->setValue(ds::dateToDays(periodo.Fim));
    if (!prompt.isEmpty())
        dialog->Label1->setText(prompt);
    if (dialog->exec() != QDialog::Accepted)
        return false;
    periodo.Inicio = dateOf(dialog->dtInicio);
    periodo.Fim = dateOf(dialog->dtFim);
    return true;
}
