// The session report: one session with its date and time, the toys used in
// it and the therapist's observations. A long observation or a long toy list
// makes the row grow, onto further sheets if need be: nothing written is cut.

#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "store/tdm.h"

namespace reports {

void buildRepSessao(report::Definition& definition, Tdm& dm)
{
    definition.bindDataSet(QStringLiteral("frxSessao"), dm.qryRelSessao);
    definition.bindDataSet(QStringLiteral("frxSessaoDet"), dm.qryRelSessaoDet);
    definition.setPreviewButtons(kPreviewCommands);
    report::Page& page1 = addSheet(definition, QStringLiteral("Page1"));
    report::Page& page2 = addSheet(definition, QStringLiteral("Page2")); // the toy list's rows
    addPracticeHeading(page1, 20.00, 170.00);

    report::Band& title = page1.addBand(report::BandKind::ReportTitle, QStringLiteral("ReportTitle1"), 41);
    addText(title, QStringLiteral("Memo1"), QRectF(53.00, 14.00, 104.00, 14.00), QStringLiteral(u"Sessão"), verdana(32))
        .setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    addText(title, QStringLiteral("Memo2"), QRectF(21.00, 33.00, 12.00, 5.00), QStringLiteral("Data"), arial(12, true));
    addText(title, QStringLiteral("MemoData"), QRectF(35.00, 33.00, 36.00, 5.00),
            QStringLiteral(" %1  %2").arg(columnOf("frxSessao", "DATA"), columnOf("frxSessao", "HORA")), arial(12))
        .setFlow(report::TextFlow::NoWrap);
    addText(title, QStringLiteral("Memo3"), QRectF(79.00, 33.00, 20.00, 5.00), QStringLiteral("Paciente"),
            arial(12, true));
    addPlainText(title, QStringLiteral("MemoNome"), QRectF(101.00, 33.00, 89.00, 5.00), QStringLiteral("nome"),
                 arial(12));
    title.addRule(QStringLiteral("Line1"), 20.00, 40.00, 170.00);

    report::Band& captions = page1.addBand(report::BandKind::ColumnHeader, QStringLiteral("Header1"), 7.21);
    addText(captions, QStringLiteral("Memo4"), QRectF(21.00, 0.00, 37.00, 5.00), QStringLiteral("Brinquedos"),
            arial(12, true));
    captions.addRule(QStringLiteral("Line2"), 20.00, 6.00, 60.00).setStyle(report::LineStyle::Dotted);
    addText(captions, QStringLiteral("Memo5"), QRectF(90.00, 0.00, 30.82, 5.00), QStringLiteral(u"Observações"),
            arial(12, true));
    captions.addRule(QStringLiteral("Line3"), 90.00, 6.21, 100.00).setStyle(report::LineStyle::Dotted);

    report::Band& session = page1.addBand(report::BandKind::MasterData, QStringLiteral("MasterData2"), 5.00);
    session.setDataSet(QStringLiteral("frxSessao")).setGrows(true);
    session.addSubList(QStringLiteral("Subreport1"), QRectF(20.00, 0.00, 25.00, 5.00), page2);
    growing(addText(session, QStringLiteral("frxSessaoOBSERVACOES"), QRectF(90.00, 0.00, 100.00, 5.00),
                    columnOf("frxSessao", "OBSERVACOES"), arial(12)));

    report::Band& toys = page2.addBand(report::BandKind::MasterData, QStringLiteral("MasterData1"), 6.00);
    toys.setDataSet(QStringLiteral("frxSessaoDet"));
    addText(toys, QStringLiteral("frxSessaoDetBRINQUEDO"), QRectF(0.00, 0.00, 59.00, 5.00),
            columnOf("frxSessaoDet", "BRINQUEDO"), arial(12));
}

} // namespace reports
