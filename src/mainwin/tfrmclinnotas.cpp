// Pages 3 to 6: re-evaluations, referrals, guidance notes by type and the
// history list.

#include "mainwin/tfrmclin.h"

#include "mainwin/handler.h"
#include "mainwin/pagebuilder.h"

using mainwin::handler;

namespace {
constexpr Qt::Edges kAllEdges = Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge;
const QSize kPageSize(474, 333);
} // namespace

void TfrmClin::CreateReavaliacoes()
{
    PageBuilder b(tsAvaliacoes, *m_anchors, kPageSize);
    b.patientName(dsPaciente);
    DBEdit21 = b.edit("DBEdit21", dsReavaliacao, "DATA", {11, 51, 111, 21});
    b.label(QStringLiteral("&DATA"), 11, 35, DBEdit21);
    SpeedButton2 = b.flatButton("SpeedButton2", "edit-find", QStringLiteral("Localizar"), {122, 47, 25, 25});
    SpeedButton6 = b.flatButton("SpeedButton6", "document-print", QStringLiteral("Imprimir"), {425, 51, 25, 25});
    mmoReavaliacao = b.memo("mmoReavaliacao", dsReavaliacao, "OBSERVACOES", {11, 97, 434, 213});
    b.anchor(mmoReavaliacao, kAllEdges);
    CreateFontButtons(b, mmoReavaliacao, {96, 72}, "SpeedButton16", SpeedButton16, "SpeedButton17", SpeedButton17);
    b.label(QStringLiteral(u"OBSERVAÇÕES"), 11, 78, mmoReavaliacao);

    PageBuilder::tabOrder({DBEdit21, mmoReavaliacao});
    connect(SpeedButton2, &QToolButton::clicked, this, handler([this] { SpeedButton2Click(); }));
    connect(SpeedButton6, &QToolButton::clicked, Reavaliaes1, &QAction::trigger);
}

void TfrmClin::CreateIndicacoes()
{
    PageBuilder b(tsIndicacoes, *m_anchors, kPageSize);
    b.patientName(dsPaciente);
    DBEdit22 = b.edit("DBEdit22", dsIndicacao, "DATA", {11, 51, 110, 21});
    b.label(QStringLiteral("&DATA"), 11, 35, DBEdit22);
    SpeedButton3 = b.flatButton("SpeedButton3", "edit-find", QStringLiteral("Localizar"), {122, 47, 25, 25});
    DBEdit23 = b.edit("DBEdit23", dsIndicacao, "INDICACAO", {151, 51, 294, 21});
    b.anchor(DBEdit23, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
    b.label(QStringLiteral(u"&INDICAÇÃO"), 151, 35, DBEdit23);
    SpeedButton7 = b.flatButton("SpeedButton7", "document-print", QStringLiteral("Imprimir"), {425, 20, 25, 25});
    mmoIndicacoes = b.memo("mmoIndicacoes", dsIndicacao, "OBSERVACOES", {11, 97, 434, 215});
    b.anchor(mmoIndicacoes, kAllEdges);
    CreateFontButtons(b, mmoIndicacoes, {96, 72}, "SpeedButton12", SpeedButton12, "SpeedButton13", SpeedButton13);
    b.label(QStringLiteral(u"OBSERVAÇÕES"), 11, 78, mmoIndicacoes);

    PageBuilder::tabOrder({DBEdit22, DBEdit23, mmoIndicacoes});
    connect(SpeedButton3, &QToolButton::clicked, this, handler([this] { SpeedButton1Click(); }));
    connect(SpeedButton7, &QToolButton::clicked, Indicaes1, &QAction::trigger);
}

void TfrmClin::CreateOrientacoes()
{
    PageBuilder b(tsOrientacoes, *m_anchors, kPageSize);
    b.patientName(dsPaciente);
    cbxTipoOrientacao = new QComboBox(tsOrientacoes);
    cbxTipoOrientacao->setObjectName(QStringLiteral("cbxTipoOrientacao"));
    cbxTipoOrientacao->setGeometry(11, 51, 299, 21);
    lblTipoOrientacao =
        b.link("lblTipoOrientacao", QStringLiteral(u"TIPO DE ORIENTAÇÃO"), 11, 35, cbxTipoOrientacao);
    DBEdit24 = b.edit("DBEdit24", dsOrientacao, "DATA", {316, 51, 111, 21});
    b.label(QStringLiteral("&DATA"), 316, 35, DBEdit24);
    btnLocalizarOrientacao = b.flatButton("btnLocalizarOrientacao", "edit-find", QString(), {427, 51, 25, 25});
    btnLocalizarOrientacao->setEnabled(false);
    SpeedButton8 = b.flatButton("SpeedButton8", "document-print", QStringLiteral("Imprimir"), {427, 16, 25, 25});
    mmoOrientacao = b.memo("mmoOrientacao", dsOrientacao, "CONTEUDO", {11, 97, 434, 213});
    b.anchor(mmoOrientacao, kAllEdges);
    CreateFontButtons(b, mmoOrientacao, {96, 72}, "SpeedButton14", SpeedButton14, "SpeedButton15", SpeedButton15);
    b.label(QStringLiteral(u"ORIENTAÇÃO"), 11, 79, mmoOrientacao);

    PageBuilder::tabOrder({cbxTipoOrientacao, DBEdit24, mmoOrientacao});
    connect(lblTipoOrientacao, &controls::LinkLabel::clicked, this, [this] { lblInstrucaoClick(lblTipoOrientacao); });
    connect(cbxTipoOrientacao, &QComboBox::activated, this,
            [this](int item) { controls::attempt([this, item] { cbxTipoOrientacaoChange(item); }); });
    connect(btnLocalizarOrientacao, &QToolButton::clicked, this, handler([this] { btnLocalizarOrientacaoClick(); }));
    connect(SpeedButton8, &QToolButton::clicked, Orientaes1, &QAction::trigger);
}

void TfrmClin::CreateHistorico()
{
    PageBuilder b(tsHistorico, *m_anchors, kPageSize);
    b.patientName(dsPaciente);
    SpeedButton9 = b.flatButton("SpeedButton9", "document-print", QStringLiteral("Imprimir"), {426, 6, 25, 25});
    DBGrid3 = b.grid("DBGrid3", dsHistorico, {11, 35, 435, 280});
    // A note of 120 characters is wider than the page: it is cut at the
    // grid's edge rather than making the grid scroll sideways.
    DBGrid3->setLastColumnFills(true);
    b.anchor(DBGrid3, kAllEdges);
    connect(SpeedButton9, &QToolButton::clicked, Histrico1, &QAction::trigger);
}
