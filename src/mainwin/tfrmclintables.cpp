// The reference tables: the items of the "Menu" button and the link labels
// above the boxes whose values come from a table open the table editor.

#include "mainwin/tfrmclin.h"

#include "dialogs/tfrmtabela.h"

#include <memory>

void TfrmClin::EditReferenceTable(const QString& caption, ds::DataSet& dataSet)
{
    const std::unique_ptr<TfrmTabela> editor = std::make_unique<TfrmTabela>();
    editor->setWindowTitle(caption);
    editor->DataSource1->setDataSet(&dataSet);
    if (!dataSet.isActive())
        dataSet.open();
    // The editor's grid shows no key column.
    if (ds::Field* id = dataSet.findField(QStringLiteral("ID")))
        id->setVisible(false);
    editor->exec();
}

void TfrmClin::lblInstrucaoClick(controls::LinkLabel* label)
{
    struct Table {
        controls::LinkLabel* label;
        QString caption;
        ds::DataSet& dataSet;
    };
    const Table tables[] = {
        {lblInstrucao, QStringLiteral(u"Instrução"), dm.qryInstrucao},
        {lblEscola, QStringLiteral("Escola"), dm.qryEscola},
        {lblTerapeuta, QStringLiteral("Terapeuta"), dm.qryTerapeuta},
        {lblCarater, QStringLiteral(u"Caráter"), dm.qryCarater},
        {lblBrinquedos, QStringLiteral("Brinquedo"), dm.qryBrinquedo},
        {lblTipoOrientacao, QStringLiteral(u"Tipo de Orientação"), dm.qryTipoOrientacao},
    };
    for (const Table& t : tables)
        if (t.label == label) {
            // A table that cannot be opened leaves the label as it was.
            if (controls::attempt([&] { EditReferenceTable(t.caption, t.dataSet); }))
                label->setVisited();
            return;
        }
}

void TfrmClin::Label21Click(controls::LinkLabel* label)
{
    if (controls::attempt([this] { EditReferenceTable(QStringLiteral(u"Instrução"), dm.qryInstrucao); }))
        label->setVisited();
}
