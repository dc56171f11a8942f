// The history notes in date order, one line each (whole, in the record
// export), rows shaded in turn by the report's script.

#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "store/tdm.h"

namespace reports {

void buildRepHistorico(report::Definition& definition, Tdm& dm, bool wholeNotes)
{
    const QString records = QStringLiteral("frxHistorico");
    report::Page& page = startList(definition, records, dm.qryRelHistorico, QStringLiteral(u"Histórico"), 53.00, 104.00);
    addColumnTitles(page, report::BandKind::PageHeader, QStringLiteral("PageHeader1"),
                    {{21.00, 29.00, QStringLiteral("DATA")}, {66.00, 126.00, QStringLiteral("NOTA")}}, 10, 21.00, 5.53,
                    171.00);

    report::Band& rows = addRecordRows(page, records, 6.00).setAfterPrint(QStringLiteral("MasterData1OnAfterPrint"));
    report::FilledRect& shade =
        rows.addRect(QStringLiteral("Gradient1"), QRectF(21.00, 0.00, 171.00, 6.00), QColor(238, 238, 238));
    addText(rows, QStringLiteral("frxHistoricoDATA"), QRectF(21.00, 0.00, 29.00, 5.00),
            columnOf("frxHistorico", "DATA"), arial(10));
    report::TextBox& note = addText(rows, QStringLiteral("frxHistoricoNOTA"), QRectF(66.00, 0.00, 126.00, 5.00),
                                    columnOf("frxHistorico", "NOTA"), arial(10));
    if (wholeNotes) {
        rows.setGrows(true);
        shade.setStretchToBand(true);
        growing(note);
    }
    definition.setScript(QStringLiteral("procedure MasterData1OnAfterPrint(Sender: TfrxComponent);\r\n"
                                        "begin\r\n  Gradient1.Visible := not Gradient1.Visible;\r\nend;\r\n\r\n"
                                        "begin\r\n\r\nend."));
}

} // namespace reports
