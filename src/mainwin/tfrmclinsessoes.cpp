// Page 2, "Sessões": the session's date and time, the toys used in it and
// the therapist's observations.

#include "mainwin/tfrmclin.h"

#include "mainwin/handler.h"
#include "mainwin/pagebuilder.h"

void TfrmClin::CreateSessoes()
{
    PageBuilder b(tsSessoes, *m_anchors, QSize(474, 333));
    b.patientName(dsPaciente);
    DBEdit19 = b.edit("DBEdit19", dsConsulta, "DATA", {11, 51, 134, 21});
    b.label(QStringLiteral("&DATA"), 11, 35, DBEdit19);
    SpeedButton1 = b.flatButton("SpeedButton1", "edit-find", QStringLiteral("Localizar"), {147, 50, 25, 25});
    DBEdit20 = b.edit("DBEdit20", dsConsulta, "HORA", {177, 51, 134, 21});
    b.label(QStringLiteral("&HORA"), 177, 35, DBEdit20);
    SpeedButton5 = b.flatButton("SpeedButton5", "document-print", QStringLiteral("Imprimir"), {426, 50, 25, 25});
    DBGrid2 = b.grid("DBGrid2", dsBrinquedoNaConsulta, {11, 96, 136, 217});
    DBGrid2->setTitles(false);
    b.anchor(DBGrid2, Qt::LeftEdge | Qt::TopEdge | Qt::BottomEdge);
    lblBrinquedos = b.link("lblBrinquedos", QStringLiteral("BRINQUEDOS"), 11, 78, DBGrid2);
    mmoConsulta = b.memo("mmoConsulta", dsConsulta, "OBSERVACOES", {177, 96, 286, 217});
    b.anchor(mmoConsulta, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    CreateFontButtons(b, mmoConsulta, {260, 72}, "SpeedButton10", SpeedButton10, "SpeedButton11", SpeedButton11);
    b.label(QStringLiteral(u"OBSERVAÇÕES"), 177, 78, mmoConsulta);

    PageBuilder::tabOrder({DBEdit19, DBEdit20, DBGrid2, mmoConsulta});
    connect(lblBrinquedos, &controls::LinkLabel::clicked, this, [this] { lblInstrucaoClick(lblBrinquedos); });
    connect(SpeedButton1, &QToolButton::clicked, this, mainwin::handler([this] { btnLocalizarSessaoClick(); }));
    connect(SpeedButton5, &QToolButton::clicked, Sesso1, &QAction::trigger);
    for (QWidget* session : {static_cast<QWidget*>(DBEdit19), static_cast<QWidget*>(DBEdit20),
                             static_cast<QWidget*>(mmoConsulta)})
        m_enterSteps.append({session, dsConsulta});
    m_enterSteps.append({DBGrid2, dsBrinquedoNaConsulta});
}
