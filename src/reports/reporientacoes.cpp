// The guidance notes of the chosen period, by type and date, odd rows shaded.

#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "store/tdm.h"

namespace reports {

void buildRepOrientacoes(report::Definition& definition, Tdm& dm)
{
    definition.bindDataSet(QStringLiteral("frxOrientacoes"), dm.qryRelOrientacoes);
    definition.setPreviewButtons(kPreviewCommands);
    report::Page& page = addSheet(definition, QStringLiteral("Page1"));
    addListTitle(page, QStringLiteral(u"Orientações"), 50.89, 108.21);

    report::Band& captions = page.addBand(report::BandKind::ColumnHeader, QStringLiteral("Header1"), 6.00);
    addText(captions, QStringLiteral("Memo3"), QRectF(21.00, 0.00, 47.00, 5.00), QStringLiteral(u"TIPO DE ORIENTAÇÃO"),
            arial(12));
    addText(captions, QStringLiteral("Memo4"), QRectF(72.00, 0.00, 25.00, 5.00), QStringLiteral("DATA"), arial(12));
    addText(captions, QStringLiteral("Memo5"), QRectF(101.00, 0.00, 36.00, 5.00), QStringLiteral(u"ORIENTAÇÃO"),
            arial(12));
    captions.addRule(QStringLiteral("Line1"), 20.74, 5.53, 171.00);

    report::Band& rows = page.addBand(report::BandKind::MasterData, QStringLiteral("MasterData1"), 6.15);
    rows.setDataSet(QStringLiteral("frxOrientacoes")).setGrows(true);
    addShading(rows, QStringLiteral("Shape1"), QRectF(20.79, 0.15, 171.00, 6.00), QColor(239, 239, 239))
        .setFillCondition(QStringLiteral("<Line> mod 2 = 1"));
    addText(rows, QStringLiteral("frxOrientacoesDESCRICAO"), QRectF(21.00, 0.00, 50.00, 5.00),
            columnOf("frxOrientacoes", "DESCRICAO"), arial(12));
    addText(rows, QStringLiteral("frxOrientacoesDATA"), QRectF(72.00, 0.00, 28.00, 5.00),
            columnOf("frxOrientacoes", "DATA"), arial(12));
    growing(addText(rows, QStringLiteral("frxOrientacoesCONTEUDO"), QRectF(101.00, 0.00, 90.00, 5.00),
                    columnOf("frxOrientacoes", "CONTEUDO"), courierNavy(12)));
}

} // namespace reports
