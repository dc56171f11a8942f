// The re-evaluations of the chosen period, one growing row each.

#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "store/tdm.h"

namespace reports {

void buildRepReavaliacao(report::Definition& definition, Tdm& dm)
{
    const QString records = QStringLiteral("frxReavaliacao");
    report::Page& page =
        startList(definition, records, dm.qryRelReavaliacao, QStringLiteral(u"Reavaliações"), 53.00, 104.00);
    addColumnTitles(page, report::BandKind::ColumnHeader, QStringLiteral("Header1"),
                    {{21.00, 25.00, QStringLiteral("DATA")}, {58.00, 38.00, QStringLiteral(u"OBSERVAÇÕES")}}, 12,
                    20.94, 5.26, 170.00);

    report::Band& rows = addRecordRows(page, records, 6.00).setGrows(true);
    addText(rows, QStringLiteral("frxReavaliacaoDATA"), QRectF(21.00, 0.00, 33.00, 5.00),
            columnOf("frxReavaliacao", "DATA"), arial(12));
    growing(addText(rows, QStringLiteral("frxReavaliacaoOBSERVACOES"), QRectF(58.00, 0.00, 132.00, 5.00),
                    columnOf("frxReavaliacao", "OBSERVACOES"), arial(12)));
}

} // namespace reports
