// Every session of the patient in one list, which the record export prints:
// date and time, the toys used, the therapist's observations; rows grow to
// their whole text and odd rows are shaded.

#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "store/tdm.h"

namespace reports {

void buildRepSessoes(report::Definition& definition, Tdm& dm)
{
    const QString records = QStringLiteral("frxSessoes");
    report::Page& page = startList(definition, records, dm.qryRelSessoes, QStringLiteral(u"Sessões"), 53.00, 104.00);
    addColumnTitles(page, report::BandKind::ColumnHeader, QStringLiteral("Header1"),
                    {{21.00, 25.00, QStringLiteral("DATA")},
                     {51.00, 36.00, QStringLiteral("BRINQUEDOS")},
                     {95.00, 38.00, QStringLiteral(u"OBSERVAÇÕES")}},
                    12, 20.74, 5.53, 171.00);

    report::Band& rows = addRecordRows(page, records, 12.00).setGrows(true);
    shadeOddRows(rows, 11.85);
    addText(rows, QStringLiteral("frxSessoesDATA"), QRectF(21.00, 0.00, 28.00, 5.00), columnOf("frxSessoes", "DATA"),
            arial(12));
    addText(rows, QStringLiteral("frxSessoesHORA"), QRectF(21.00, 6.00, 28.00, 5.00), columnOf("frxSessoes", "HORA"),
            arial(12));
    growing(addText(rows, QStringLiteral("frxSessoesBRINQUEDOS"), QRectF(51.00, 0.00, 42.00, 5.00),
                    columnOf("frxSessoes", "BRINQUEDOS"), arial(12)));
    growing(addText(rows, QStringLiteral("frxSessoesOBSERVACOES"), QRectF(95.00, 0.00, 96.00, 5.00),
                    columnOf("frxSessoes", "OBSERVACOES"), arial(12)));
}

} // namespace reports
