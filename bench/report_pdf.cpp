// Preparing and exporting a 5,000-row two-column list to PDF, against the
// same strings drawn straight into a QPdfWriter at the same positions.
// Prints one line: report_pdf: ratio=R ours=A ms floor=B ms

#include "dataset/dataset.h"
#include "reportengine/definition.h"
#include "reportengine/exporter.h"
#include "reportengine/pagepainter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRows = 5000;
constexpr int kRuns = 3;

struct Placed {
    QPointF at; // device units
    QString text;
};

// The strings of the prepared pages where our painter puts them, read before the clock runs.
QList<QList<Placed>> placedStrings(const report::PreparedReport& prepared, double unitsPerMm)
{
    QList<QList<Placed>> pages;
    for (const report::PreparedPage& page : prepared.pages) {
        QList<Placed> strings;
        for (const report::PreparedItem& item : page.items)
            for (const report::TextLine& line : item.lines)
                strings.push_back({(item.rect.topLeft() + line.origin) * unitsPerMm, line.text});
        pages.push_back(strings);
    }
    return pages;
}

qint64 floorRun(const QList<QList<Placed>>& pages, const QString& file)
{
    QElapsedTimer clock;
    clock.start();
    QPdfWriter writer(file);
    writer.setResolution(1200);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        for (const Placed& s : pages[p])
            painter.drawText(s.at, s.text);
    }
    painter.end();
    return clock.elapsed();
}

qint64 oursRun(report::Definition& definition, const QString& file)
{
    QElapsedTimer clock;
    clock.start();
    report::Exporter::toPdf(definition.prepare(), file);
    return clock.elapsed();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    ds::DataSet rows(QStringLiteral("qryRows"));
    rows.addField(QStringLiteral("DATA"), ds::FieldType::Date);
    rows.addField(QStringLiteral("NOME"), ds::FieldType::Text, 60);
    rows.open();
    for (int i = 0; i < kRows; ++i) {
        rows.append();
        rows.fieldByName(QStringLiteral("DATA")).setValue(QDate(2000, 1, 1).addDays(i));
        rows.fieldByName(QStringLiteral("NOME")).setValue(QStringLiteral("Paciente de número %1 da clínica").arg(i + 1));
        rows.post();
    }

    report::Definition definition(QStringLiteral("repBench"));
    report::Page& page = definition.addPage(QStringLiteral("Page1"));
    report::Band& header = page.addBand(report::BandKind::PageHeader, QStringLiteral("PageHeader1"), 6);
    header.addText(QStringLiteral("Memo1"), QRectF(21, 0, 29, 5), QStringLiteral("DATA"));
    header.addText(QStringLiteral("Memo2"), QRectF(66, 0, 126, 5), QStringLiteral("NOME"));
    report::Band& data = page.addBand(report::BandKind::MasterData, QStringLiteral("MasterData1"), 6);
    data.setDataSet(QStringLiteral("frxRows"));
    data.addText(QStringLiteral("DATA"), QRectF(21, 0, 29, 5), QStringLiteral("[frxRows.\"DATA\"]"));
    data.addText(QStringLiteral("NOME"), QRectF(66, 0, 126, 5), QStringLiteral("[frxRows.\"NOME\"]"));
    definition.bindDataSet(QStringLiteral("frxRows"), rows);

    QTemporaryDir dir;
    const QString oursFile = dir.filePath(QStringLiteral("ours.pdf"));
    const QString floorFile = dir.filePath(QStringLiteral("floor.pdf"));
    oursRun(definition, oursFile); // fonts and caches warm for both sides
    const auto pages = placedStrings(definition.prepared(), 1200 / 25.4);
    floorRun(pages, floorFile);

    qint64 ours = std::numeric_limits<qint64>::max();
    qint64 floor = std::numeric_limits<qint64>::max();
    for (int run = 0; run < kRuns; ++run) {
        floor = std::min(floor, floorRun(pages, floorFile));
        ours = std::min(ours, oursRun(definition, oursFile));
    }
    std::printf("report_pdf: ratio=%.2f ours=%lld ms floor=%lld ms\n", double(ours) / double(std::max<qint64>(floor, 1)),
                static_cast<long long>(ours), static_cast<long long>(floor));
    return 0;
}
