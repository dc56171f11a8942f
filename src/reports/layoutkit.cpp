#include "reports/layoutkit.h"

#include "reportengine/textlayout.h"

#include <cmath>

namespace reports {

report::TextFont arial(double points, bool bold) { return {QStringLiteral("Arial"), points, bold}; }

report::TextFont verdana(double points, bool bold) { return {QStringLiteral("Verdana"), points, bold}; }

report::TextFont courierNavy(double points) { return {QStringLiteral("Courier New"), points, false, false, QColor(0, 0, 128)}; }

QString columnOf(const char* dataSet, const char* column)
{
    return QStringLiteral("[%1.\"%2\"]").arg(QString::fromLatin1(dataSet), QString::fromLatin1(column));
}

report::TextBox& addText(report::Band& band, const QString& name, const QRectF& mm, const QString& text,
                         const report::TextFont& font)
{
    return band.addText(name, mm, text).setFont(font);
}

report::TextBox& addPlainText(report::Band& band, const QString& name, const QRectF& mm, const QString& text,
                              const report::TextFont& font)
{
    return addText(band, name, mm, text, font).setAllowExpressions(false);
}

report::TextBox& growing(report::TextBox& box)
{
    box.setFlow(report::TextFlow::Grow);
    box.setStretchToBand(true);
    return box;
}

report::FilledRect& addShading(report::Band& band, const QString& name, const QRectF& mm, const QColor& fill)
{
    report::FilledRect& shade = band.addRect(name, mm, fill);
    shade.setStretchToBand(true);
    return shade;
}

report::Page& addSheet(report::Definition& definition, const QString& name)
{
    report::Page& page = definition.addPage(name);
    page.setPaperSize(QSizeF(210, 297));
    page.setMargins(QMarginsF(0, 0, 0, kSheetBottomMargin));
    page.setContinuationTop(kContinuationTop);
    page.setDefaultFont(arial(12));
    return page;
}

report::Band& addPracticeHeading(report::Page& page, double left, double width)
{
    report::Band& band = page.addBand(report::BandKind::SheetHeading, QStringLiteral("Consultorio"), 25.00);
    band.setVisible(false);
    band.addPicture(QStringLiteral("ConsultorioLogo"), QRectF(left, 8.00, 24.00, 14.00));
    const struct {
        const char* name;
        double top;
        double height;
        report::TextFont font;
    } lines[] = {{"ConsultorioNome", 8.00, 5.00, arial(11, true)},
                 {"ConsultorioEndereco", 13.00, 6.00, arial(9)}, // a long address on two lines
                 {"ConsultorioContato", 19.00, 4.00, arial(9)}};
    for (const auto& l : lines)
        addPlainText(band, QString::fromLatin1(l.name), QRectF(left, l.top, width, l.height), QString(), l.font)
            .setFlow(report::TextFlow::Fit)
            .setMinimumPointSize(kSmallestValuePoints);
    band.addRule(QStringLiteral("ConsultorioLinha"), left, 23.50, width);
    return band;
}

void applyPracticeHeading(report::Definition& definition, const TConsultorio& practice)
{
    // The texts move right of the logo when there is one.
    const QImage logo = practice.Logotipo.isEmpty() ? QImage() : QImage::fromData(practice.Logotipo);
    QStringList contact;
    if (!practice.Telefone.trimmed().isEmpty())
        contact << QStringLiteral("Tel. %1").arg(practice.Telefone.trimmed());
    if (!practice.Registro.trimmed().isEmpty())
        contact << practice.Registro.trimmed();
    const std::pair<const char*, QString> texts[] = {{"ConsultorioNome", practice.Nome.trimmed()},
                                                     {"ConsultorioEndereco", practice.Endereco.trimmed()},
                                                     {"ConsultorioContato", contact.join(QStringLiteral(u"  ·  "))}};
    for (const auto& page : definition.pages())
        for (const auto& band : page->bands()) {
            if (band->kind() != report::BandKind::SheetHeading)
                continue;
            band->setVisible(!practice.isEmpty());
            auto* picture = static_cast<report::Picture*>(band->findObject(QStringLiteral("ConsultorioLogo")));
            picture->setImage(logo);
            const QRectF logoBox = picture->rect();
            const double left = logo.isNull() ? logoBox.left() : logoBox.right() + 4.00;
            const double right = band->findObject(QStringLiteral("ConsultorioLinha"))->rect().right();
            for (const auto& [name, text] : texts) {
                auto* box = static_cast<report::TextBox*>(band->findObject(QString::fromLatin1(name)));
                box->setText(text);
                box->setRect(QRectF(left, box->rect().top(), right - left, box->rect().height()));
            }
            // The contact line follows the address as printed, leaving no blank line below a short one.
            auto* address = static_cast<report::TextBox*>(band->findObject(QStringLiteral("ConsultorioEndereco")));
            auto* contactLine = static_cast<report::TextBox*>(band->findObject(QStringLiteral("ConsultorioContato")));
            report::TextFont addressFont = *address->font();
            const double addressHeight =
                address->text().isEmpty()
                    ? 0
                    : report::TextLayout::fit(address->text(), addressFont, address->rect().size(),
                                              address->minimumPointSize())
                          .height();
            const double contactTop =
                address->rect().top() + std::min(address->rect().height(), std::ceil(addressHeight * 2) / 2);
            const QRectF was = contactLine->rect();
            contactLine->setRect(QRectF(was.left(), contactTop, was.width(), was.height()));
        }
}

report::Band& addListTitle(report::Page& page, const QString& title, double left, double width)
{
    report::Band& band = page.addBand(report::BandKind::ReportTitle, QStringLiteral("ReportTitle1"), 41);
    addText(band, QStringLiteral("Memo1"), QRectF(left, 14, width, 14), title, verdana(32))
        .setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    addText(band, QStringLiteral("Memo2"), QRectF(21, 33, 22, 5), QStringLiteral("Paciente"), arial(12, true));
    addPlainText(band, QStringLiteral("MemoID"), QRectF(44, 33, 17, 5), QStringLiteral("id"), arial(12, true));
    addPlainText(band, QStringLiteral("MemoNome"), QRectF(66, 33, 126, 5), QStringLiteral("nome"), arial(12, true));
    return band;
}

report::Page& startList(report::Definition& definition, const QString& dataSetName, ds::DataSet& records,
                        const QString& title, double titleLeft, double titleWidth)
{
    definition.bindDataSet(dataSetName, records);
    definition.setPreviewButtons(kPreviewCommands);
    report::Page& page = addSheet(definition, QStringLiteral("Page1"));
    addPracticeHeading(page, 21.00, 171.00);
    addListTitle(page, title, titleLeft, titleWidth);
    return page;
}

report::Band& addColumnTitles(report::Page& page, report::BandKind kind, const QString& name,
                              const QList<ColumnTitle>& titles, double points, double ruleLeft, double ruleTop,
                              double ruleWidth)
{
    report::Band& band = page.addBand(kind, name, 6.00);
    int memo = 3;
    for (const ColumnTitle& title : titles)
        addText(band, QStringLiteral("Memo%1").arg(memo++), QRectF(title.left, 0.00, title.width, 5.00), title.text,
                arial(points));
    band.addRule(QStringLiteral("Line1"), ruleLeft, ruleTop, ruleWidth);
    return band;
}

report::Band& addRecordRows(report::Page& page, const QString& dataSetName, double height)
{
    report::Band& rows = page.addBand(report::BandKind::MasterData, QStringLiteral("MasterData1"), height);
    rows.setDataSet(dataSetName);
    return rows;
}

void shadeOddRows(report::Band& rows, double height)
{
    addShading(rows, QStringLiteral("Shape1"), QRectF(20.79, 0.15, 171.00, height), QColor(239, 239, 239))
        .setFillCondition(QStringLiteral("<Line> mod 2 = 1"));
}

} // namespace reports
