#include "dialogs/tfrmsobre.h"

#include "controls/thyperlink.h"
#include "dialogs/bevelpanel.h"
#include "dialogs/productpicture.h"
#include "platform/fileversion.h"
#include "platform/showpainted.h"
#include "platform/windowfont.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int kCaptionRight = 398;
constexpr int kValueLeft = 409;

void placeCaption(QWidget* panel, const QString& caption, int top)
{
    auto* label = new QLabel(caption, panel);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->adjustSize();
    label->move(kCaptionRight - label->width(), top);
}

THyperLink* mailLink(QWidget* panel, const QString& name, const QString& address, int top)
{
    auto* link = new THyperLink(panel);
    link->setText(name);
    link->setLinkType(ltMail);
    link->setURL(address);
    link->setSubject(QStringLiteral(u"Comentários ao programa Marvok"));
    link->move(kValueLeft, top);
    link->adjustSize();
    return link;
}

} // namespace

TfrmSobre::TfrmSobre(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral(u"Sobre"));
    setFont(platform::windowFont());
    setFixedSize(594, 396);

    Panel1 = new BevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 576, 332);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);

    // The picture is drawn for the room it has, so it fills it without a gap.
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(10, 10, 576 - 20, 332 - 10 - 3);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(productPicture(Image1->size()));

    placeCaption(Panel1, QStringLiteral(u"Versão:"), 219);
    lblVersao = new QLabel(Panel1);
    lblVersao->setObjectName(QStringLiteral("lblVersao"));
    lblVersao->move(kValueLeft, 219);

    placeCaption(Panel1, QStringLiteral(u"Autor ®:"), 238);
    HyperLink1 = mailLink(Panel1, QStringLiteral(u"Lúcia Azevedo"), QStringLiteral(u"lucia.azevedo@marvok.com.br"), 238);
    HyperLink1->setObjectName(QStringLiteral("HyperLink1"));

    placeCaption(Panel1, QStringLiteral(u"Desenvolvimento:"), 257);
    HyperLink2 = mailLink(Panel1, QStringLiteral(u"Orbe Sistemas"), QStringLiteral(u"suporte@orbesistemas.com.br"), 257);
    HyperLink2->setObjectName(QStringLiteral("HyperLink2"));

    Label5 = new QLabel(QStringLiteral(u"Todos os direitos reservados a Lúcia Azevedo"), Panel1);
    Label5->setObjectName(QStringLiteral("Label5"));
    QFont italic = Label5->font();
    italic.setItalic(true);
    Label5->setFont(italic);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    const int rightsHeight = Label5->sizeHint().height();
    Label5->setGeometry(2, 332 - 4 - rightsHeight, 576 - 4, rightsHeight);

    Button1 = new QPushButton(QStringLiteral(u"OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(507, 354, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

QString TfrmSobre::GetFileVersionText() { return platform::fileVersionText(QCoreApplication::applicationFilePath()); }

void TfrmSobre::FormCreate()
{
    const QString version = GetFileVersionText();
    lblVersao->setText(version);
    lblVersao->adjustSize();
    for (THyperLink* link : {HyperLink1, HyperLink2})
        link->setSubject(link->Subject() + u' ' + version);
}

void TfrmSobre::ShowSplash()
{
    Button1->hide();
    // Placed once, centred on the screen, and kept there: shown again with
    // its button, the box stands where the splash stood instead of being
    // placed anew once the window manager has framed it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    platform::showPainted(*this);
}

int TfrmSobre::ShowModal()
{
    Button1->show();
    Button1->setFocus();
    return exec();
}
