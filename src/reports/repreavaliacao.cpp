// The re-evaluations of the chosen period, one growing row each.

#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "store/tdm.h"

namespace reports {

void buildRepReavaliacao(report::Definition& definition, Tdm& dm)
{
    definition.bindDataSet(QStringLiteral("frxReavaliacao"), dm.qryRelReavaliacao);
    definition.setPreviewButtons(kPreviewCommands);
    report::Page& page = addSheet(definition, QStringLiteral("Page1"));
    addListTitle(page, QStringLiteral(u"Reavaliações"), 53.00, 104.00);

    report::Band& captions = page.addBand(report::BandKind::ColumnHeader, QStringLiteral("Header1"), 6.00);
    addText(captions, QStringLiteral("Memo3"), QRectF(21.00, 0.00, 25.00, 5.00), QStringLiteral("DATA"), arial(12));
    addText(captions, QStringLiteral("Memo4"), QRectF(58.00, 0.00, 38.00, 5.00), QStringLiteral(u"OBSERVAÇÕES"),
            arial(12));
    captions.addRule(QStringLiteral("Line1"), 20.94, 5.26, 170.00);

    report::Band& rows = page.addBand(report::BandKind::MasterData, QStringLiteral("MasterData1"), 6.00);
    rows.setDataSet(QStringLiteral("frxReavaliacao")).setGrows(true);
    addText(rows, QStringLiteral("frxReavaliacaoDATA"), QRectF(21.00, 0.00, 33.00, 5.00),
            columnOf("frxReavaliacao", "DATA"), arial(12));
    growing(addText(rows, QStringLiteral("frxReavaliacaoOBSERVACOES"), QRectF(58.00, 0.00, 132.00, 5.00),
                    columnOf("frxReavaliacao", "OBSERVACOES"), arial(12)));
}

} // namespace reports
