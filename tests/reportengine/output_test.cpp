// Prepared reports leaving the engine: PDF read back with pdftotext, PNG
// pages, and the engine's own file that loads back exactly.

#include "core/eerror.h"
#include "reportengine/definition.h"
#include "reportengine/exporter.h"
#include "reportfixture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace report;

namespace {

// Two sheets: a title and a list of 60 rows in Arial, Courier New and a dotted rule.
struct TwoSheets {
    reporttest::TableDataSet rows{QStringLiteral("qryRows"),
                                  {{QStringLiteral("NOME"), ds::FieldType::Text}, {QStringLiteral("NOTA"), ds::FieldType::Memo}}};
    Definition definition{QStringLiteral("repHistorico")};

    TwoSheets()
    {
        for (int i = 1; i <= 60; ++i)
            rows.table << QVariantList{QStringLiteral("Criança %1").arg(i), QStringLiteral("Observação nº %1").arg(i)};
        Page& page = definition.addPage(QStringLiteral("Page1"));
        page.addBand(BandKind::ReportTitle, QStringLiteral("Title"), 41)
            .addText(QStringLiteral("Memo1"), QRectF(53, 14, 104, 14), QStringLiteral("Histórico"))
            .setFont(TextFont(QStringLiteral("Verdana"), 32))
            .setAlignment(Qt::AlignHCenter);
        Band& header = page.addBand(BandKind::PageHeader, QStringLiteral("Header"), 6);
        header.addText(QStringLiteral("Caption"), QRectF(21, 0, 29, 5), QStringLiteral("DATA"));
        header.addRule(QStringLiteral("Rule"), 21, 5.53, 171).setStyle(LineStyle::Dotted);
        Band& data = page.addBand(BandKind::MasterData, QStringLiteral("MasterData1"), 6);
        data.setDataSet(QStringLiteral("frxRows"));
        data.addRect(QStringLiteral("Gradient1"), QRectF(21, 0, 171, 6), QColor(238, 238, 238));
        data.addText(QStringLiteral("Nome"), QRectF(21, 0, 40, 5), QStringLiteral("[frxRows.\"NOME\"]"));
        data.addText(QStringLiteral("Nota"), QRectF(66, 0, 126, 5), QStringLiteral("[frxRows.\"NOTA\"]"))
            .setFont(TextFont(QStringLiteral("Courier New"), 12, false, false, QColor(0, 0, 128)));
        definition.bindDataSet(QStringLiteral("frxRows"), rows);
        definition.prepare();
    }
};

} // namespace

TEST(Output, PdfHoldsEveryTextOnItsPage)
{
    TwoSheets report;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("historico.pdf"));
    Exporter::toPdf(report.definition.prepared(), file, QStringLiteral("Histórico"));

    ASSERT_EQ(report.definition.prepared().pages.size(), 2);
    EXPECT_EQ(reporttest::pdfPageCount(file), 2);
    EXPECT_TRUE(reporttest::pdfPageSize(file).startsWith(QStringLiteral("595 x 842"))); // A4 in points
    const QStringList pages = reporttest::pdfText(file).split(u'\f');
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Histórico")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("Histórico")));
    for (const QString& page : pages.mid(0, 2))
        EXPECT_TRUE(page.contains(QStringLiteral("DATA")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Criança 1 ")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Criança 60")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Observação nº 60")));
    // The two columns of a row stand on one line, in order.
    EXPECT_TRUE(pages[1].contains(QRegularExpression(QStringLiteral("Criança 59 +Observação nº 59"))));
}

TEST(Output, PngPagesAreDrawnAtTheirResolution)
{
    TwoSheets report;
    QTemporaryDir dir;
    const QStringList files = Exporter::toPng(report.definition.prepared(), dir.filePath(QStringLiteral("rel.png")), 100);
    ASSERT_EQ(files, (QStringList{dir.filePath("rel_1.png"), dir.filePath("rel_2.png")}));
    const QImage first(files[0]);
    EXPECT_EQ(first.size(), QSize(827, 1169));
    // The first row's shading right of its texts, 41 + 6 + 1 mm down; white left of it.
    EXPECT_EQ(first.pixelColor(qRound(150 / 25.4 * 100), qRound(48 / 25.4 * 100)), QColor(238, 238, 238));
    EXPECT_EQ(first.pixelColor(qRound(10 / 25.4 * 100), qRound(48 / 25.4 * 100)), QColor(Qt::white));
}

TEST(Output, SavedReportLoadsBackExactly)
{
    TwoSheets report;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rel.mvp"));
    PreparedReport saved = report.definition.prepared();
    PreparedItem logo;
    logo.kind = PreparedItem::Kind::Picture;
    logo.name = QStringLiteral("Logo");
    logo.rect = QRectF(21, 8, 24, 12);
    logo.image = QImage(40, 20, QImage::Format_RGB32);
    logo.image.fill(QColor(0, 90, 200));
    saved.pages[0].items.prepend(logo);
    saved.save(file);
    const PreparedReport loaded = PreparedReport::load(file);
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(loaded.pages[1].items.last().font.color, QColor(0, 0, 128));
    EXPECT_EQ(loaded.pages[0].items.first().image.pixelColor(5, 5), QColor(0, 90, 200));
}

TEST(Output, UnreadableOrForeignFilesAreRefused)
{
    TwoSheets report;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rel.mvp"));
    report.definition.prepared().save(file);
    QFile cut(file);
    ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
    cut.resize(cut.size() / 2);
    cut.close();
    QFile foreign(dir.filePath(QStringLiteral("foreign.mvp")));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("%PDF-1.4 not ours");
    foreign.close();

    for (const QString& name : {file, foreign.fileName(), dir.filePath(QStringLiteral("missing.mvp"))})
        EXPECT_THROW(PreparedReport::load(name), EError) << name.toStdString();
    EXPECT_THROW(Exporter::toPdf(report.definition.prepared(), dir.filePath(QStringLiteral("no/such/dir/x.pdf"))), EError);
}

// A saved report is a file anyone can hand the preview: numbers that no report
// of ours holds are refused as damage before anything is drawn with them.
TEST(Output, FilesWithImpossibleNumbersAreRefused)
{
    const double nan = std::nan("");
    const std::function<void(PreparedPage&)> damages[] = {
        [](PreparedPage& p) { p.size = QSizeF(0, 297); },
        [nan](PreparedPage& p) { p.size = QSizeF(210, nan); },
        [nan](PreparedPage& p) { p.items.first().rect.setX(nan); },
        [](PreparedPage& p) { p.items.first().rect.setWidth(1e300); },
        [](PreparedPage& p) { p.items.first().font.pointSize = 1e9; },
        [](PreparedPage& p) { p.items.first().font.pointSize = -4; },
        [nan](PreparedPage& p) { p.items.first().lines = {{QStringLiteral("x"), QPointF(nan, 1)}}; },
        [](PreparedPage& p) { p.items.last().penWidth = std::numeric_limits<double>::infinity(); },
        [](PreparedPage& p) { p.items.last().lineStyle = LineStyle(7); },
        // A picture larger than any report holds: a reader would decode hundreds of megabytes.
        [](PreparedPage& p) {
            PreparedItem picture;
            picture.kind = PreparedItem::Kind::Picture;
            picture.rect = QRectF(10, 30, 20, 10);
            picture.image = QImage(Picture::kLargestSide + 1, 10, QImage::Format_RGB32);
            picture.image.fill(Qt::blue);
            p.items << picture;
        },
    };
    for (const auto& damage : damages) {
        PreparedItem text;
        text.rect = QRectF(10, 10, 50, 5);
        text.font = TextFont(QStringLiteral("Tahoma"), 10);
        text.lines = {{QStringLiteral("Maria"), QPointF(0, 4)}};
        PreparedItem rule;
        rule.kind = PreparedItem::Kind::Line;
        rule.rect = QRectF(10, 20, 100, 0);
        rule.penWidth = 0.3;
        PreparedReport report;
        report.pages << PreparedPage{QSizeF(210, 297), {text, rule}};

        QBuffer sound;
        sound.open(QIODevice::ReadWrite);
        report.write(sound);
        sound.seek(0);
        ASSERT_EQ(PreparedReport::read(sound), report);

        damage(report.pages.first());
        QBuffer damaged;
        damaged.open(QIODevice::ReadWrite);
        report.write(damaged);
        damaged.seek(0);
        EXPECT_THROW(PreparedReport::read(damaged), EError);
    }
}

TEST(Output, ALargePictureIsKeptSmallEnoughForItsReportToLoadAgain)
{
    Picture logo(QStringLiteral("Logo"), QRectF(21, 8, 24, 14));
    QImage large(3 * Picture::kLargestSide, Picture::kLargestSide / 2, QImage::Format_RGB32);
    large.fill(Qt::red);
    logo.setImage(large);
    EXPECT_EQ(logo.image().size(), QSize(Picture::kLargestSide, Picture::kLargestSide / 6));

    PreparedItem item;
    item.kind = PreparedItem::Kind::Picture;
    item.rect = logo.rect();
    item.image = logo.image();
    PreparedReport report;
    report.pages << PreparedPage{QSizeF(210, 297), {item}};
    QBuffer file;
    file.open(QIODevice::ReadWrite);
    report.write(file);
    file.seek(0);
    EXPECT_EQ(PreparedReport::read(file), report);
}

TEST(Output, PrintingShrinksAndCentresTheSheetOnSmallerOrTurnedPaper)
{
    const QSizeF a4(210, 297);
    const struct {
        const char* paper;
        QSizeF size;
        double scale;
    } cases[] = {
        {"A4", a4, 1.0},
        {"Letter", {215.9, 279.4}, 279.4 / 297},
        {"A4 landscape", {297, 210}, 210.0 / 297},
        {"A3: never enlarged", {297, 420}, 1.0},
    };
    for (const auto& c : cases) {
        const QTransform t = Exporter::pageOnPaper(a4, c.size);
        const QRectF placed = t.mapRect(QRectF(QPointF(0, 0), a4));
        EXPECT_NEAR(placed.width(), 210 * c.scale, 1e-6) << c.paper;
        EXPECT_NEAR(placed.height(), 297 * c.scale, 1e-6) << c.paper;
        EXPECT_NEAR(placed.center().x(), c.size.width() / 2, 1e-6) << c.paper;
        EXPECT_NEAR(placed.center().y(), c.size.height() / 2, 1e-6) << c.paper;
    }

    // On a real landscape printer the whole sheet stays on the paper, the last row too.
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("landscape.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    Exporter::print(reporttest::childList(40), printer);
    const QList<pdffile::Word> words = pdffile::pdfWords(out);
    const QRectF last = pdffile::findPhrase(words, QStringLiteral("Criança 40"));
    ASSERT_FALSE(last.isEmpty());
    EXPECT_LT(last.bottom(), 210);
    const QRectF title = pdffile::findPhrase(words, QStringLiteral("Crianças"));
    // Left margin 10 mm shrunk by 210/297, the sheet centred on 297 mm.
    EXPECT_NEAR(title.left(), (297 - 210 * 210.0 / 297) / 2 + 10 * 210.0 / 297, 0.5);
}
