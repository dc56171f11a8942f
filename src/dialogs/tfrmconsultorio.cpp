#include "dialogs/tfrmconsultorio.h"

#include "controls/errorhandler.h"
#include "platform/filedialogs.h"
#include "platform/messages.h"
#include "platform/windowfont.h"
#include "store/tdm.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A logo larger than this (in pixels) is kept at this size: enough for
// paper, small enough for the database.
constexpr int kLargestLogo = 600;
// The preview of the logo in the window.
const QSize kPreview(160, 80);

QLineEdit* textBox(QWidget* owner, const char* name, int maxLength)
{
    auto* box = new QLineEdit(owner);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(maxLength);
    box->setMinimumWidth(360);
    return box;
}

QPushButton* button(QWidget* owner, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, owner);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

TfrmConsultorio::TfrmConsultorio(Tdm& dm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_dm(dm)
{
    setObjectName(QStringLiteral("frmConsultorio"));
    setWindowTitle(QStringLiteral(u"Dados do consultório"));
    setFont(platform::windowFont());

    // The lengths are those of the columns of CONSULTORIO.
    edtNome = textBox(this, "edtNome", 80);
    edtEndereco = textBox(this, "edtEndereco", 100);
    edtTelefone = textBox(this, "edtTelefone", 40);
    edtRegistro = textBox(this, "edtRegistro", 40);
    edtRegistro->setPlaceholderText(QStringLiteral("Ex.: CRP 06/123456"));

    imgLogotipo = new QLabel(this);
    imgLogotipo->setObjectName(QStringLiteral("imgLogotipo"));
    imgLogotipo->setFixedSize(kPreview);
    imgLogotipo->setFrameShape(QFrame::StyledPanel);
    imgLogotipo->setAlignment(Qt::AlignCenter);
    btnEscolherLogotipo = button(this, "btnEscolherLogotipo", QStringLiteral("&Escolher..."));
    btnRemoverLogotipo = button(this, "btnRemoverLogotipo", QStringLiteral("Re&mover"));
    auto* logoButtons = new QVBoxLayout;
    logoButtons->addWidget(btnEscolherLogotipo);
    logoButtons->addWidget(btnRemoverLogotipo);
    logoButtons->addStretch();
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(imgLogotipo);
    logoRow->addLayout(logoButtons);
    logoRow->addStretch();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Nome:"), edtNome);
    form->addRow(QStringLiteral(u"&Endereço:"), edtEndereco);
    form->addRow(QStringLiteral("&Telefone:"), edtTelefone);
    form->addRow(QStringLiteral("&Registro profissional:"), edtRegistro);
    form->addRow(QStringLiteral("Logotipo:"), logoRow);

    auto* buttons = new QDialogButtonBox(this);
    btnOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(btnEscolherLogotipo, &QPushButton::clicked, this, [this] { btnEscolherLogotipoClick(); });
    connect(btnRemoverLogotipo, &QPushButton::clicked, this, [this] { setLogo({}); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const TConsultorio practice = m_dm.DadosConsultorio();
    edtNome->setText(practice.Nome);
    edtEndereco->setText(practice.Endereco);
    edtTelefone->setText(practice.Telefone);
    edtRegistro->setText(practice.Registro);
    setLogo(practice.Logotipo);
    edtNome->setFocus();
}

TConsultorio TfrmConsultorio::values() const
{
    return {edtNome->text().trimmed(), edtEndereco->text().trimmed(), edtTelefone->text().trimmed(),
            edtRegistro->text().trimmed(), m_logo};
}

void TfrmConsultorio::accept()
{
    // A save the server refuses keeps the window open with what was typed.
    if (controls::attempt([this] { m_dm.GravarDadosConsultorio(values()); }))
        QDialog::accept();
}

void TfrmConsultorio::setLogo(const QByteArray& picture)
{
    m_logo = picture;
    const QImage image = picture.isEmpty() ? QImage() : QImage::fromData(picture);
    if (image.isNull()) {
        imgLogotipo->setPixmap({});
        imgLogotipo->setText(QStringLiteral("(sem logotipo)"));
    } else {
        imgLogotipo->setPixmap(QPixmap::fromImage(image.scaled(kPreview - QSize(4, 4), Qt::KeepAspectRatio,
                                                               Qt::SmoothTransformation)));
    }
    btnRemoverLogotipo->setEnabled(!image.isNull());
}

void TfrmConsultorio::btnEscolherLogotipoClick()
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral(u"Logotipo do consultório");
    request.filters = {QStringLiteral("Imagens (*.png *.jpg *.jpeg *.bmp *.gif)"),
                       QStringLiteral("Todos os Arquivos (*.*)")};
    const QString file = platform::FileDialogs::instance().openFileName(this, request);
    if (file.isEmpty())
        return;
    QImageReader reader(file);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        platform::showError(QStringLiteral(u"O arquivo %1 não é uma imagem que o programa consiga ler.")
                                .arg(QDir::toNativeSeparators(file)));
        return;
    }
    if (image.width() > kLargestLogo || image.height() > kLargestLogo)
        image = image.scaled(kLargestLogo, kLargestLogo, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    setLogo(png);
}
