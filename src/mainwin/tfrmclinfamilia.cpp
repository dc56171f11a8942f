// Page 1, "Família": the father's and the mother's forms and the siblings' grid.

#include "mainwin/tfrmclin.h"

#include "mainwin/pagebuilder.h"

void TfrmClin::CreateFamilia()
{
    PageBuilder b(tsFamilia, *m_anchors, QSize(474, 333));
    b.patientName(dsPaciente);
    DBEdit6 = b.edit("DBEdit6", dsPai, "NOME", {11, 45, 164, 21});
    b.label(QStringLiteral("PA&I"), 11, 31, DBEdit6);
    DBEdit14 = b.edit("DBEdit14", dsPai, "PROFISSAO", {199, 45, 171, 21});
    b.label(QStringLiteral(u"PROFISSÃO"), 199, 31, DBEdit14);
    DBEdit13 = b.edit("DBEdit13", dsPai, "NASCIMENTO", {376, 45, 73, 21});
    b.label(QStringLiteral("NASCIMENTO"), 376, 31, DBEdit13);
    DBLookupComboBox5 = b.lookup("DBLookupComboBox5", dsPai, "DescrInstrucao", {11, 85, 136, 21});
    Label16 = b.link("Label16", QStringLiteral(u"INSTRUÇÃO"), 11, 70, DBLookupComboBox5);
    DBEdit26 = b.edit("DBEdit26", dsPai, "FONE_RES", {155, 85, 89, 21});
    b.label(QStringLiteral("RESIDENCIAL"), 155, 70, DBEdit26);
    DBEdit27 = b.edit("DBEdit27", dsPai, "FONE_PROF", {258, 85, 89, 21});
    b.label(QStringLiteral("PROFISSIONAL"), 258, 70, DBEdit27);
    DBEdit28 = b.edit("DBEdit28", dsPai, "FONE_CEL", {360, 85, 89, 21});
    b.label(QStringLiteral("CELULAR"), 360, 70, DBEdit28);

    DBEdit15 = b.edit("DBEdit15", dsMae, "NOME", {11, 125, 182, 21});
    b.label(QStringLiteral(u"MÃE"), 11, 112, DBEdit15);
    DBEdit18 = b.edit("DBEdit18", dsMae, "PROFISSAO", {199, 125, 171, 21});
    b.label(QStringLiteral(u"PROFISSÃO"), 199, 112, DBEdit18);
    DBEdit16 = b.edit("DBEdit16", dsMae, "NASCIMENTO", {376, 125, 73, 21});
    b.label(QStringLiteral("NASCIMENTO"), 376, 112, DBEdit16);
    DBLookupComboBox6 = b.lookup("DBLookupComboBox6", dsMae, "DescrInstrucao", {13, 167, 136, 21});
    Label21 = b.link("Label21", QStringLiteral(u"INSTRUÇÃO"), 11, 149, DBLookupComboBox6);
    DBEdit29 = b.edit("DBEdit29", dsMae, "FONE_RES", {155, 167, 89, 21});
    b.label(QStringLiteral("RESIDENCIAL"), 155, 149, DBEdit29);
    DBEdit30 = b.edit("DBEdit30", dsMae, "FONE_PROF", {265, 167, 89, 21});
    b.label(QStringLiteral("PROFISSIONAL"), 258, 149, DBEdit30);
    DBEdit31 = b.edit("DBEdit31", dsMae, "FONE_CEL", {360, 167, 89, 21});
    b.label(QStringLiteral("CELULAR"), 360, 149, DBEdit31);

    DBGrid1 = b.grid("DBGrid1", dsIrmao, {3, 207, 438, 116});
    b.label(QStringLiteral(u"IRMÃOS"), 11, 188, DBGrid1);
    b.anchor(DBGrid1, Qt::LeftEdge | Qt::TopEdge | Qt::BottomEdge);

    PageBuilder::tabOrder({DBEdit6, DBEdit14, DBEdit13, DBLookupComboBox5, DBEdit26, DBEdit27, DBEdit28, DBEdit15,
                           DBEdit18, DBEdit16, DBLookupComboBox6, DBEdit29, DBEdit30, DBEdit31, DBGrid1});
    for (controls::LinkLabel* link : {Label16, Label21})
        connect(link, &controls::LinkLabel::clicked, this, [this, link] { Label21Click(link); });
    // The navigator follows the mother's form and the siblings' grid when the focus enters them.
    for (QWidget* mother : {static_cast<QWidget*>(DBEdit15), static_cast<QWidget*>(DBEdit18),
                            static_cast<QWidget*>(DBEdit16), static_cast<QWidget*>(DBLookupComboBox6)})
        m_enterSteps.append({mother, dsMae});
    m_enterSteps.append({DBGrid1, dsIrmao});
}
