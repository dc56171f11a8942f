// Page 0, "Ficha": the patient's registration, every box bound to the
// patient list, on a panel that scrolls rather than shrinks below its size.

#include "mainwin/tfrmclin.h"

#include "mainwin/handler.h"
#include "mainwin/pagebuilder.h"

#include <QScrollArea>
#include <QVBoxLayout>

void TfrmClin::CreateFicha()
{
    sbxFicha = new QScrollArea(tsFicha);
    sbxFicha->setObjectName(QStringLiteral("sbxFicha"));
    sbxFicha->setFrameShape(QFrame::NoFrame);
    sbxFicha->setWidgetResizable(true);
    pnlForm = new QWidget;
    pnlForm->setObjectName(QStringLiteral("pnlForm"));
    pnlForm->setMinimumSize(451, 324);
    sbxFicha->setWidget(pnlForm);
    sbxFicha->viewport()->setAutoFillBackground(false);
    pnlForm->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(tsFicha);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sbxFicha);

    PageBuilder b(pnlForm, *m_anchors, QSize(474, 333));
    ds::DataSource* p = dsPaciente;
    DBEdit1 = b.edit("DBEdit1", p, "ID", {8, 24, 51, 21});
    b.label(QStringLiteral("&ID"), 8, 8, DBEdit1);
    DBComboBox1 = new controls::FieldComboBox(pnlForm);
    DBComboBox1->setObjectName(QStringLiteral("DBComboBox1"));
    DBComboBox1->setGeometry(65, 24, 77, 21);
    DBComboBox1->addItems({QStringLiteral("Ativo"), QStringLiteral("Suspenso"), QStringLiteral("Finalizado")});
    DBComboBox1->setDataSource(p);
    DBComboBox1->setDataField(QStringLiteral("STATUS"));
    b.label(QStringLiteral("&STATUS"), 65, 8, DBComboBox1);
    btnLocalizarFicha = b.flatButton("btnLocalizarFicha", "edit-find", QStringLiteral("Localizar"), {144, 23, 25, 25});
    SpeedButton4 = b.flatButton("SpeedButton4", "document-print", QStringLiteral("Imprimir"), {422, 23, 25, 25});
    btnHistoricoAlteracoes = b.flatButton("btnHistoricoAlteracoes", "view-history",
                                          QStringLiteral(u"Histórico de alterações"), {394, 23, 25, 25});
    DBEdit2 = b.edit("DBEdit2", p, "NOME", {65, 51, 380, 21});
    b.label(QStringLiteral("NO&ME"), 8, 54, DBEdit2);
    dbEmail = b.edit("dbEmail", p, "EMAIL", {65, 78, 380, 21});
    b.label(QStringLiteral("EMAI&L"), 8, 81, dbEmail);
    QFont underlined = dbEmail->font();
    underlined.setUnderline(true);
    dbEmail->setFont(underlined);
    dbEmail->setCursor(Qt::PointingHandCursor);
    controls::setTextColor(dbEmail, controls::linkColor());
    DBEdit3 = b.edit("DBEdit3", p, "NASCIMENTO", {8, 120, 134, 21});
    b.label(QStringLiteral("NASCIM&ENTO"), 8, 104, DBEdit3);
    DBEdit3->setToolTip(QStringLiteral("idade"));
    DBEdit4 = b.edit("DBEdit4", p, "CADASTRO", {160, 120, 134, 21});
    b.label(QStringLiteral("ENTRADA"), 160, 104, DBEdit4);
    DBEdit4->setToolTip(QStringLiteral("idade"));
    DBEdit5 = b.edit("DBEdit5", p, "SAIDA", {304, 120, 141, 21});
    b.label(QStringLiteral(u"SAÍ&DA"), 304, 104, DBEdit5);
    DBEdit5->setToolTip(QStringLiteral(u"Saída"));
    DBEdit7 = b.edit("DBEdit7", p, "FONE", {8, 168, 134, 21});
    b.label(QStringLiteral("&FONE"), 8, 152, DBEdit7);
    DBEdit8 = b.edit("DBEdit8", p, "ENDERECO", {160, 168, 285, 21});
    b.label(QStringLiteral(u"ENDEREÇ&O"), 160, 152, DBEdit8);
    DBEdit25 = b.edit("DBEdit25", p, "FONE2", {8, 211, 134, 21});
    b.label(QStringLiteral("FONE (&2)"), 8, 195, DBEdit25);
    DBEdit9 = b.edit("DBEdit9", p, "BAIRRO", {160, 211, 106, 21});
    b.label(QStringLiteral("&BAIRRO"), 160, 195, DBEdit9);
    DBEdit10 = b.edit("DBEdit10", p, "CIDADE", {272, 211, 173, 21});
    b.label(QStringLiteral("CIDADE"), 272, 195, DBEdit10);
    DBEdit11 = b.edit("DBEdit11", p, "UF", {8, 254, 30, 21});
    b.label(QStringLiteral("&UF"), 8, 238, DBEdit11);
    DBEdit12 = b.edit("DBEdit12", p, "CEP", {44, 254, 98, 21});
    b.label(QStringLiteral("CEP"), 48, 238, DBEdit12);
    DBLookupComboBox1 = b.lookup("DBLookupComboBox1", p, "DescrInstrucao", {160, 254, 134, 21});
    lblInstrucao = b.link("lblInstrucao", QStringLiteral(u"INSTRUÇÃO"), 160, 238, DBLookupComboBox1);
    DBLookupComboBox2 = b.lookup("DBLookupComboBox2", p, "DescrEscola", {304, 254, 141, 21});
    lblEscola = b.link("lblEscola", QStringLiteral("ESCOLA"), 304, 238, DBLookupComboBox2);
    DBLookupComboBox3 = b.lookup("DBLookupComboBox3", p, "NomeTerapeuta", {8, 296, 134, 21});
    lblTerapeuta = b.link("lblTerapeuta", QStringLiteral("&TERAPEUTA"), 8, 280, DBLookupComboBox3);
    DBLookupComboBox4 = b.lookup("DBLookupComboBox4", p, "DescrCarater", {160, 296, 134, 21});
    lblCarater = b.link("lblCarater", QStringLiteral(u"CARÁTER"), 160, 280, DBLookupComboBox4);
    DBEdit17 = b.edit("DBEdit17", p, "PROCEDENCIA", {304, 296, 141, 21});
    b.label(QStringLiteral(u"PROCEDÊNCIA"), 304, 280, DBEdit17);

    PageBuilder::tabOrder({DBEdit1, DBComboBox1, DBEdit2, dbEmail, DBEdit3, DBEdit4, DBEdit5, DBEdit7, DBEdit8,
                           DBEdit25, DBEdit9, DBEdit10, DBEdit11, DBEdit12, DBLookupComboBox1, DBLookupComboBox2,
                           DBLookupComboBox3, DBLookupComboBox4, DBEdit17});
    for (controls::LinkLabel* link : {lblInstrucao, lblEscola, lblTerapeuta, lblCarater})
        connect(link, &controls::LinkLabel::clicked, this, [this, link] { lblInstrucaoClick(link); });
    connect(SpeedButton4, &QToolButton::clicked, Dadosgerais1, &QAction::trigger);
    connect(btnHistoricoAlteracoes, &QToolButton::clicked, Historicodealteracoes1, &QAction::trigger);
    connect(btnLocalizarFicha, &QToolButton::clicked, this, mainwin::handler([this] { btnLocalizarClick(); }));
    connect(dsPaciente, &ds::DataSource::anyChange, this, &TfrmClin::UpdateLookupHints);
}
