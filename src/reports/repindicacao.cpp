// The referrals of the chosen period: two lines at least per referral, its
// observations growing below, odd rows shaded.

#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "store/tdm.h"

namespace reports {

void buildRepIndicacao(report::Definition& definition, Tdm& dm)
{
    definition.bindDataSet(QStringLiteral("frxIndicacao"), dm.qryRelIndicacao);
    definition.setPreviewButtons(kPreviewCommands);
    report::Page& page = addSheet(definition, QStringLiteral("Page1"));
    addListTitle(page, QStringLiteral(u"Indicações"), 50.89, 108.21);

    report::Band& captions = page.addBand(report::BandKind::ColumnHeader, QStringLiteral("Header1"), 6.00);
    addText(captions, QStringLiteral("Memo3"), QRectF(21.00, 0.00, 25.00, 5.00), QStringLiteral("DATA"), arial(12));
    addText(captions, QStringLiteral("Memo4"), QRectF(51.00, 0.00, 36.00, 5.00), QStringLiteral(u"INDICAÇÃO"),
            arial(12));
    captions.addRule(QStringLiteral("Line1"), 20.74, 5.53, 171.00);

    report::Band& rows = page.addBand(report::BandKind::MasterData, QStringLiteral("MasterData1"), 12.00);
    rows.setDataSet(QStringLiteral("frxIndicacao")).setGrows(true);
    addShading(rows, QStringLiteral("Shape1"), QRectF(20.79, 0.15, 171.00, 11.85), QColor(239, 239, 239))
        .setFillCondition(QStringLiteral("<Line> mod 2 = 1"));
    addText(rows, QStringLiteral("frxIndicacaoDATA"), QRectF(21.00, 0.00, 27.00, 5.00),
            columnOf("frxIndicacao", "DATA"), arial(12));
    addText(rows, QStringLiteral("frxIndicacaoINDICACAO"), QRectF(51.00, 0.00, 85.00, 5.00),
            columnOf("frxIndicacao", "INDICACAO"), arial(12));
    addText(rows, QStringLiteral("Memo5"), QRectF(21.00, 6.00, 29.00, 5.00), QStringLiteral(u"Observações:"), arial(12));
    growing(addText(rows, QStringLiteral("frxIndicacaoOBSERVACOES"), QRectF(51.00, 6.00, 140.00, 5.00),
                    columnOf("frxIndicacao", "OBSERVACOES"), courierNavy(12)));
}

} // namespace reports
