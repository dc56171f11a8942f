// The referrals of the chosen period: two lines at least per referral, its
// observations growing below, odd rows shaded.

#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "store/tdm.h"

namespace reports {

void buildRepIndicacao(report::Definition& definition, Tdm& dm)
{
    const QString records = QStringLiteral("frxIndicacao");
    report::Page& page = startList(definition, records, dm.qryRelIndicacao, QStringLiteral(u"Indicações"), 50.89, 108.21);
    addColumnTitles(page, report::BandKind::ColumnHeader, QStringLiteral("Header1"),
                    {{21.00, 25.00, QStringLiteral("DATA")}, {51.00, 36.00, QStringLiteral(u"INDICAÇÃO")}}, 12, 20.74,
                    5.53, 171.00);

    report::Band& rows = addRecordRows(page, records, 12.00).setGrows(true);
    shadeOddRows(rows, 11.85);
    addText(rows, QStringLiteral("frxIndicacaoDATA"), QRectF(21.00, 0.00, 27.00, 5.00),
            columnOf("frxIndicacao", "DATA"), arial(12));
    addText(rows, QStringLiteral("frxIndicacaoINDICACAO"), QRectF(51.00, 0.00, 85.00, 5.00),
            columnOf("frxIndicacao", "INDICACAO"), arial(12));
    addText(rows, QStringLiteral("Memo5"), QRectF(21.00, 6.00, 29.00, 5.00), QStringLiteral(u"Observações:"), arial(12));
    growing(addText(rows, QStringLiteral("frxIndicacaoOBSERVACOES"), QRectF(51.00, 6.00, 140.00, 5.00),
                    columnOf("frxIndicacao", "OBSERVACOES"), courierNavy(12)));
}

} // namespace reports
