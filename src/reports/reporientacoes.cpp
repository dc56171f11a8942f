// The guidance notes of the chosen period, by type and date, odd rows shaded.

#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "store/tdm.h"

namespace reports {

void buildRepOrientacoes(report::Definition& definition, Tdm& dm)
{
    const QString records = QStringLiteral("frxOrientacoes");
    report::Page& page =
        startList(definition, records, dm.qryRelOrientacoes, QStringLiteral(u"Orientações"), 50.89, 108.21);
    addColumnTitles(page, report::BandKind::ColumnHeader, QStringLiteral("Header1"),
                    {{21.00, 47.00, QStringLiteral(u"TIPO DE ORIENTAÇÃO")},
                     {72.00, 25.00, QStringLiteral("DATA")},
                     {101.00, 36.00, QStringLiteral(u"ORIENTAÇÃO")}},
                    12, 20.74, 5.53, 171.00);

    report::Band& rows = addRecordRows(page, records, 6.15).setGrows(true);
    shadeOddRows(rows, 6.00);
    addText(rows, QStringLiteral("frxOrientacoesDESCRICAO"), QRectF(21.00, 0.00, 50.00, 5.00),
            columnOf("frxOrientacoes", "DESCRICAO"), arial(12));
    addText(rows, QStringLiteral("frxOrientacoesDATA"), QRectF(72.00, 0.00, 28.00, 5.00),
            columnOf("frxOrientacoes", "DATA"), arial(12));
    growing(addText(rows, QStringLiteral("frxOrientacoesCONTEUDO"), QRectF(101.00, 0.00, 90.00, 5.00),
                    columnOf("frxOrientacoes", "CONTEUDO"), courierNavy(12)));
}

} // namespace reports
