// Preparing definitions over real data sets: where bands and objects land on
// the sheets, how rows flow over page breaks, growing and cut texts,
// sub-lists, shading by row number and by the script.

#include "core/clock.h"
#include "core/eerror.h"
#include "reportengine/definition.h"
#include "reportfixture.h"

#include <gtest/gtest.h>

using namespace report;
using reporttest::itemsNamed;
using reporttest::TableDataSet;

namespace {

constexpr double kEps = 0.001;

// A list: title, column captions, one row band over frxRows, 10 mm margins.
struct ListReport {
    TableDataSet rows{QStringLiteral("qryRows"),
                      {{QStringLiteral("ID"), ds::FieldType::Integer},
                       {QStringLiteral("DATA"), ds::FieldType::Date},
                       {QStringLiteral("NOME"), ds::FieldType::Text}}};
    Definition definition{QStringLiteral("repList")};
    Page& page = definition.addPage(QStringLiteral("Page1"));
    Band& title = page.addBand(BandKind::ReportTitle, QStringLiteral("ReportTitle1"), 20);
    Band& header = page.addBand(BandKind::PageHeader, QStringLiteral("PageHeader1"), 6);
    Band& data = page.addBand(BandKind::MasterData, QStringLiteral("MasterData1"), 6);

    explicit ListReport(int rowCount)
    {
        for (int i = 1; i <= rowCount; ++i)
            rows.table << QVariantList{i, QDate(2011, 3, 5).addDays(i - 1), QStringLiteral("Nome %1").arg(i)};
        page.setMargins(QMarginsF(10, 10, 10, 10));
        title.addText(QStringLiteral("Title"), QRectF(20, 5, 100, 10), QStringLiteral("Lista"))
            .setFont(TextFont(QStringLiteral("Verdana"), 20));
        header.addText(QStringLiteral("Caption"), QRectF(11, 0, 30, 5), QStringLiteral("NOME"));
        header.addRule(QStringLiteral("CaptionRule"), 10, 5.5, 150);
        data.setDataSet(QStringLiteral("frxRows"));
        data.addText(QStringLiteral("Nome"), QRectF(11, 0, 80, 5), QStringLiteral("[frxRows.\"NOME\"]"))
            .setFont(TextFont(QStringLiteral("Arial"), 12));
        data.addText(QStringLiteral("Data"), QRectF(100, 0, 30, 5), QStringLiteral("[frxRows.\"DATA\"]"));
        definition.bindDataSet(QStringLiteral("frxRows"), rows);
    }
};

QStringList texts(const QList<std::pair<int, PreparedItem>>& items)
{
    QStringList out;
    for (const auto& [page, item] : items)
        out << item.text();
    return out;
}

QString longText(int words)
{
    QStringList list;
    for (int i = 0; i < words; ++i)
        list << QStringLiteral("palavra%1").arg(i);
    return list.join(u' ');
}

} // namespace

TEST(Preparation, PlacesBandsAndObjectsInMillimetresFromTheMargins)
{
    ListReport list(3);
    const PreparedReport& report = list.definition.prepare();
    ASSERT_EQ(report.pages.size(), 1);
    EXPECT_EQ(report.pages[0].size, QSizeF(210, 297));

    const auto title = itemsNamed(report, QStringLiteral("Title"));
    ASSERT_EQ(title.size(), 1);
    EXPECT_EQ(title[0].second.rect, QRectF(30, 15, 100, 10));
    EXPECT_EQ(title[0].second.text(), QStringLiteral("Lista"));
    EXPECT_EQ(title[0].second.font.family, QStringLiteral("Verdana"));

    const auto rule = itemsNamed(report, QStringLiteral("CaptionRule"));
    ASSERT_EQ(rule.size(), 1);
    EXPECT_EQ(rule[0].second.kind, PreparedItem::Kind::Line);
    EXPECT_NEAR(rule[0].second.rect.top(), 10 + 20 + 5.5, kEps);

    const auto names = itemsNamed(report, QStringLiteral("Nome"));
    const auto dates = itemsNamed(report, QStringLiteral("Data"));
    ASSERT_EQ(names.size(), 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_NEAR(names[row].second.rect.left(), 21, kEps);
        EXPECT_NEAR(names[row].second.rect.top(), 10 + 20 + 6 + row * 6, kEps) << row;
        EXPECT_NEAR(dates[row].second.rect.left(), 110, kEps);
    }
    EXPECT_EQ(texts(names), (QStringList{"Nome 1", "Nome 2", "Nome 3"}));
    EXPECT_EQ(texts(dates), (QStringList{"05/03/2011", "06/03/2011", "07/03/2011"}));
    // The page's default font applies where a box names none.
    EXPECT_EQ(dates[0].second.font, TextFont(QStringLiteral("Arial"), 10));
}

TEST(Preparation, RowsOverflowOntoNewSheetsWithTheCaptionsAgainAndTheTitleOnce)
{
    ListReport list(100);
    const PreparedReport& report = list.definition.prepare();
    // 277 mm of body: 41 rows below title and captions, then 45 a sheet.
    ASSERT_EQ(report.pages.size(), 3);
    EXPECT_EQ(report.pages[0].itemsNamed(QStringLiteral("Title")).size(), 1);
    for (int p = 0; p < 3; ++p) {
        const auto captions = report.pages[p].itemsNamed(QStringLiteral("Caption"));
        ASSERT_EQ(captions.size(), 1) << p;
        EXPECT_NEAR(captions[0]->rect.top(), p == 0 ? 30 : 10, kEps);
        if (p > 0) {
            EXPECT_TRUE(report.pages[p].itemsNamed(QStringLiteral("Title")).isEmpty());
        }
    }
    EXPECT_EQ(report.pages[0].itemsNamed(QStringLiteral("Nome")).size(), 41);
    EXPECT_EQ(report.pages[1].itemsNamed(QStringLiteral("Nome")).size(), 45);
    EXPECT_NEAR(report.pages[1].itemsNamed(QStringLiteral("Nome"))[0]->rect.top(), 16, kEps);

    QStringList expected;
    for (int i = 1; i <= 100; ++i)
        expected << QStringLiteral("Nome %1").arg(i);
    const auto names = itemsNamed(report, QStringLiteral("Nome"));
    EXPECT_EQ(texts(names), expected);
    for (const auto& [page, item] : names)
        EXPECT_LE(item.rect.top() + 6, 287 + kEps);
}

TEST(Preparation, EmptyDataSetPrintsTitleAndCaptionsOnly)
{
    ListReport list(0);
    const PreparedReport& report = list.definition.prepare();
    ASSERT_EQ(report.pages.size(), 1);
    EXPECT_EQ(report.pages[0].itemsNamed(QStringLiteral("Title")).size(), 1);
    EXPECT_EQ(report.pages[0].itemsNamed(QStringLiteral("Caption")).size(), 1);
    EXPECT_TRUE(report.pages[0].itemsNamed(QStringLiteral("Nome")).isEmpty());
}

TEST(Preparation, OpensTheDataSetsItUsesAndLeavesThemOpen)
{
    ListReport list(2);
    TableDataSet header(QStringLiteral("qryHeader"), {{QStringLiteral("NOME"), ds::FieldType::Text}});
    header.table << QVariantList{QStringLiteral("Paciente X")};
    int beforeOpen = 0;
    header.beforeOpen = [&](ds::DataSet&) { ++beforeOpen; };
    list.definition.bindDataSet(QStringLiteral("frxHeader"), header);
    list.title.addText(QStringLiteral("Patient"), QRectF(0, 15, 100, 5), QStringLiteral("[frxHeader.\"NOME\"]"));
    TableDataSet unused(QStringLiteral("qryUnused"), {{QStringLiteral("X"), ds::FieldType::Text}});
    list.definition.bindDataSet(QStringLiteral("frxUnused"), unused);

    list.rows.open(); // already open: read as it is, not opened again
    list.definition.prepare();
    EXPECT_TRUE(header.isActive());
    EXPECT_EQ(beforeOpen, 1);
    EXPECT_EQ(list.rows.opens, 1);
    EXPECT_FALSE(unused.isActive());
    EXPECT_EQ(itemsNamed(list.definition.prepared(), QStringLiteral("Patient"))[0].second.text(), QStringLiteral("Paciente X"));

    list.definition.prepare();
    EXPECT_EQ(beforeOpen, 1);
}

TEST(Preparation, FillsShadingOnOddRowsAsHighAsTheGrowingRow)
{
    ListReport list(5);
    list.data.setGrows(true);
    FilledRect& shade = list.data.addRect(QStringLiteral("Shade"), QRectF(10, 0.15, 171, 6), QColor(239, 239, 239));
    shade.setFillCondition(QStringLiteral("<Line> mod 2 = 1"));
    shade.setStretchToBand(true);
    list.rows.table[2][2] = longText(40); // row 3 grows
    list.data.addText(QStringLiteral("Memo"), QRectF(50, 0, 40, 5), QStringLiteral("[frxRows.\"NOME\"]"))
        .setFlow(TextFlow::Grow)
        .setStretchToBand(true);

    const PreparedReport& report = list.definition.prepare();
    const auto shades = itemsNamed(report, QStringLiteral("Shade"));
    const auto rows = itemsNamed(report, QStringLiteral("Nome"));
    const auto memos = itemsNamed(report, QStringLiteral("Memo"));
    ASSERT_EQ(shades.size(), 3);
    ASSERT_EQ(rows.size(), 5);
    const int shadedRows[] = {0, 2, 4};
    for (int i = 0; i < 3; ++i) {
        const PreparedItem& s = shades[i].second;
        EXPECT_EQ(s.kind, PreparedItem::Kind::Rect);
        EXPECT_EQ(s.color, QColor(239, 239, 239));
        EXPECT_NEAR(s.rect.top(), rows[shadedRows[i]].second.rect.top() + 0.15, kEps);
        EXPECT_NEAR(s.rect.bottom(), memos[shadedRows[i]].second.rect.bottom(), kEps);
    }
    EXPECT_GT(shades[1].second.rect.height(), 6);
}

TEST(Preparation, GrowingBoxMakesItsRowTallerAndShowsTheWholeText)
{
    ListReport list(3);
    list.data.setGrows(true);
    const QString text = longText(30);
    list.rows.table[0][2] = text;
    list.data.addText(QStringLiteral("Memo"), QRectF(50, 0, 40, 5), QStringLiteral("[frxRows.\"NOME\"]"))
        .setFlow(TextFlow::Grow);

    const PreparedReport& report = list.definition.prepare();
    const auto memos = itemsNamed(report, QStringLiteral("Memo"));
    const auto rows = itemsNamed(report, QStringLiteral("Nome"));
    const PreparedItem& memo = memos[0].second;
    ASSERT_GT(memo.lines.size(), 3);
    EXPECT_EQ(memo.text().split(u'\n').join(u' '), text);
    EXPECT_NEAR(memo.rect.height(), memo.lines.size() * memo.lineHeight, kEps);
    // Every line stays inside the box's width, and the next row starts below the grown one.
    for (const TextLine& line : memo.lines)
        EXPECT_LE(line.text.size(), text.size());
    EXPECT_NEAR(rows[1].second.rect.top(), memo.rect.bottom(), kEps);
    EXPECT_NEAR(rows[2].second.rect.top() - rows[1].second.rect.top(), 6, kEps);
}

TEST(Preparation, OneLineBoxesCutTheirText)
{
    ListReport list(1);
    const QString text = longText(20);
    list.rows.table[0][2] = text;
    // A word-wrapped box shows its first line; a never-wrapped one is cut at its right edge.
    list.data.addText(QStringLiteral("Wrapped"), QRectF(50, 0, 40, 5), QStringLiteral("[frxRows.\"NOME\"]"));
    list.data.addText(QStringLiteral("Cut"), QRectF(50, 0, 40, 5), QStringLiteral("[frxRows.\"NOME\"]"))
        .setFlow(TextFlow::NoWrap);
    // Grow in a band that does not grow keeps the box's height.
    list.data.addText(QStringLiteral("Kept"), QRectF(50, 0, 40, 5), QStringLiteral("[frxRows.\"NOME\"]"))
        .setFlow(TextFlow::Grow);

    const PreparedReport& report = list.definition.prepare();
    const PreparedItem wrapped = itemsNamed(report, QStringLiteral("Wrapped"))[0].second;
    const PreparedItem cut = itemsNamed(report, QStringLiteral("Cut"))[0].second;
    const PreparedItem kept = itemsNamed(report, QStringLiteral("Kept"))[0].second;

    ASSERT_EQ(wrapped.lines.size(), 1);
    EXPECT_TRUE(text.startsWith(wrapped.text() + u' ')) << wrapped.text().toStdString();
    ASSERT_EQ(cut.lines.size(), 1);
    EXPECT_TRUE(text.startsWith(cut.text()));
    EXPECT_GT(cut.text().size(), wrapped.text().size()); // cut inside a word, not before it
    EXPECT_FALSE(cut.text().endsWith(u' '));
    EXPECT_EQ(kept.lines, wrapped.lines);
    EXPECT_NEAR(kept.rect.height(), 5, kEps);
    EXPECT_NEAR(itemsNamed(report, QStringLiteral("Nome"))[0].second.rect.height(), 5, kEps);
}

TEST(Preparation, FittingBoxPrintsItsWholeTextSmallerAndGrowsOnlyBelowItsSmallestSize)
{
    const struct {
        int words;
        double largest; // points the text may print at
        double smallest;
        int lines;      // 0: as many as the text needs
    } cases[] = {
        {1, 12, 12, 1},   // fits at the box's own size
        {5, 11.5, 7, 0},  // smaller, within the box's 6 mm
        {60, 7, 7, 0},    // at the smallest size, and then the box grows
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        ListReport list(1);
        const QString text = longText(c.words);
        list.rows.table[0][2] = text;
        list.data.addText(QStringLiteral("Fit"), QRectF(50, 0, 40, 6), QStringLiteral("[frxRows.\"NOME\"]"))
            .setFont(TextFont(QStringLiteral("Arial"), 12))
            .setFlow(TextFlow::Fit)
            .setMinimumPointSize(7);
        const PreparedItem fit = itemsNamed(list.definition.prepare(), QStringLiteral("Fit"))[0].second;
        EXPECT_EQ(fit.text().split(u'\n').join(u' '), text) << "the whole text";
        EXPECT_LE(fit.font.pointSize, c.largest);
        EXPECT_GE(fit.font.pointSize, c.smallest);
        if (c.lines) {
            EXPECT_EQ(fit.lines.size(), c.lines);
        }
        EXPECT_GE(fit.rect.height() + kEps, fit.lines.size() * fit.lineHeight) << "every line inside the box";
        EXPECT_GE(fit.rect.height(), 6 - kEps);
    }
}

TEST(Preparation, StretchedWrappedBoxShowsTheLinesTheRowHeightHolds)
{
    ListReport list(1);
    list.data.setGrows(true);
    list.rows.table[0][2] = longText(30);
    list.data.addText(QStringLiteral("Tall"), QRectF(100, 0, 10, 30), QStringLiteral("x")).setFlow(TextFlow::Grow);
    list.data.addText(QStringLiteral("Memo"), QRectF(50, 0, 40, 5), QStringLiteral("[frxRows.\"NOME\"]"))
        .setStretchToBand(true);
    const PreparedItem memo = itemsNamed(list.definition.prepare(), QStringLiteral("Memo"))[0].second;
    EXPECT_NEAR(memo.rect.height(), 30, kEps);
    EXPECT_EQ(memo.lines.size(), int(30 / memo.lineHeight));
}

// The patient file's sibling list: rows of a second page's data band.
struct SiblingForm {
    TableDataSet siblings{QStringLiteral("qryRelIrmaos"),
                          {{QStringLiteral("NOME"), ds::FieldType::Text}, {QStringLiteral("NASCIMENTO"), ds::FieldType::Date}}};
    Definition definition{QStringLiteral("repFicha")};
    Page& page1 = definition.addPage(QStringLiteral("Page1"));
    Page& page2 = definition.addPage(QStringLiteral("Page2"));

    explicit SiblingForm(int count)
    {
        for (int i = 0; i < count; ++i)
            siblings.table << QVariantList{QStringLiteral("Irmão %1").arg(i + 1), QDate(2000 + i, 1, 2)};
        page1.setDefaultFont(TextFont(QStringLiteral("Arial"), 12));
        page1.sheet().addText(QStringLiteral("Memo22"), QRectF(30, 234.21, 51, 5), QStringLiteral("IRMÃOS"));
        page1.sheet().addSubList(QStringLiteral("Subreport1"), QRectF(30, 240.94, 160, 5), page2);
        page2.setMargins(QMarginsF(10, 10, 10, 10));
        Band& band = page2.addBand(BandKind::MasterData, QStringLiteral("MasterData1"), 6);
        band.setDataSet(QStringLiteral("frxIrmaos"));
        band.addText(QStringLiteral("IrmaoNome"), QRectF(0, 0, 118, 5), QStringLiteral("[frxIrmaos.\"NOME\"]"));
        band.addText(QStringLiteral("IrmaoNasc"), QRectF(121, 0, 51, 5), QStringLiteral("[frxIrmaos.\"NASCIMENTO\"]"));
        definition.bindDataSet(QStringLiteral("frxIrmaos"), siblings);
    }
};

TEST(Preparation, SubListPrintsTheRowsOfItsPageUnderItsCorner)
{
    SiblingForm form(3);
    const PreparedReport& report = form.definition.prepare();
    ASSERT_EQ(report.pages.size(), 1); // the listed page is no sheet of its own
    const auto names = itemsNamed(report, QStringLiteral("IrmaoNome"));
    const auto births = itemsNamed(report, QStringLiteral("IrmaoNasc"));
    ASSERT_EQ(names.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(names[i].second.rect.left(), 30, kEps);
        EXPECT_NEAR(births[i].second.rect.left(), 151, kEps);
        EXPECT_NEAR(names[i].second.rect.top(), 240.94 + 6 * i, kEps);
    }
    EXPECT_EQ(texts(births), (QStringList{"02/01/2000", "02/01/2001", "02/01/2002"}));
    EXPECT_EQ(report.pages[0].items.first().text(), QStringLiteral("IRMÃOS"));
}

TEST(Preparation, SubListWithoutRowsPrintsNothingBelowItsHeading)
{
    SiblingForm form(0);
    const PreparedReport& report = form.definition.prepare();
    ASSERT_EQ(report.pages.size(), 1);
    ASSERT_EQ(report.pages[0].items.size(), 1);
    EXPECT_EQ(report.pages[0].items[0].name, QStringLiteral("Memo22"));
}

TEST(Preparation, SubListLongerThanTheSheetGoesOnOnTheNextWithoutLosingRows)
{
    SiblingForm form(12); // room for nine on the first sheet
    const PreparedReport& report = form.definition.prepare();
    ASSERT_EQ(report.pages.size(), 2);
    const auto names = itemsNamed(report, QStringLiteral("IrmaoNome"));
    ASSERT_EQ(names.size(), 12);
    int onFirst = 0;
    for (const auto& [page, item] : names) {
        EXPECT_LE(item.rect.bottom(), 297 + kEps);
        onFirst += page == 0;
    }
    EXPECT_EQ(onFirst, 9);
    // The rest continues within the margins of the listed page, not at the paper's edge.
    EXPECT_NEAR(names[9].second.rect.top(), 10, kEps);
    EXPECT_EQ(names[11].second.text(), QStringLiteral("Irmão 12"));

    // Continuation sheets keep the listed page's bottom margin too: 46 rows between 10 and 287.
    SiblingForm many(60);
    QList<int> perSheet(3, 0);
    for (const auto& [page, item] : itemsNamed(many.definition.prepare(), QStringLiteral("IrmaoNome"))) {
        ASSERT_LT(page, 3);
        ++perSheet[page];
        if (page > 0) {
            EXPECT_LE(item.rect.bottom(), 287 + kEps);
        }
    }
    EXPECT_EQ(perSheet, QList<int>({9, 46, 5}));
}

TEST(Preparation, ScriptTogglesTheShadingAfterEachRowAndEveryRunStartsAlike)
{
    ListReport list(5);
    list.data.addRect(QStringLiteral("Gradient1"), QRectF(11, 0, 171, 6), QColor(238, 238, 238));
    list.data.setAfterPrint(QStringLiteral("MasterData1OnAfterPrint"));
    list.definition.setScript(QStringLiteral("procedure MasterData1OnAfterPrint(Sender: TfrxComponent);\r\n"
                                             "begin\r\n  Gradient1.Visible := not Gradient1.Visible;\r\nend;\r\n\r\n"
                                             "begin\r\n\r\nend."));
    const PreparedReport first = list.definition.prepare();
    const auto shades = itemsNamed(first, QStringLiteral("Gradient1"));
    const auto rows = itemsNamed(first, QStringLiteral("Nome"));
    ASSERT_EQ(shades.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(shades[i].second.rect.top(), rows[2 * i].second.rect.top(), kEps);

    EXPECT_TRUE(list.definition.findObject(QStringLiteral("Gradient1"))->isVisible());
    EXPECT_EQ(list.definition.prepare(), first);
}

TEST(Preparation, ExpressionsAndPicturesFormatTheirValues)
{
    Clock::set(QDateTime(QDate(2011, 3, 5), QTime(14, 30)));
    ListReport list(2);
    TableDataSet phones(QStringLiteral("qryPhones"),
                        {{QStringLiteral("FONE"), ds::FieldType::Text}, {QStringLiteral("CELULAR"), ds::FieldType::Text}});
    phones.table << QVariantList{QStringLiteral("1134567890"), QStringLiteral("1134567890")};
    list.definition.bindDataSet(QStringLiteral("frxPhones"), phones);
    auto add = [&](const QString& name, const QString& text, double width = 150) -> TextBox& {
        return list.title.addText(name, QRectF(0, 0, width, 5), text);
    };
    add(QStringLiteral("Today"), QStringLiteral("Dados em [(<Date>)]"));
    add(QStringLiteral("Short"), QStringLiteral("Dados em [(<Date>)]"), 26)
        .setFont(TextFont(QStringLiteral("Verdana"), 12, true));
    add(QStringLiteral("Long"), QStringLiteral("[Date]")).setDisplayFormat(DisplayFormat::date(QStringLiteral(R"(dd "de" mmmm "de" yyyy)")));
    add(QStringLiteral("Fone"), QStringLiteral("[frxPhones.\"FONE\"]")).setDisplayFormat(DisplayFormat::number(QStringLiteral("(##) ####-####")));
    add(QStringLiteral("Cel"), QStringLiteral("[frxPhones.\"CELULAR\"]")).setDisplayFormat(DisplayFormat::mask(QStringLiteral(R"(!\(99\) 0009-0000;0; )")));
    add(QStringLiteral("Literal"), QStringLiteral("[not an expression]")).setAllowExpressions(false);
    list.data.addText(QStringLiteral("Line"), QRectF(150, 0, 20, 5), QStringLiteral("#[<Line>]"));

    const PreparedReport& report = list.definition.prepare();
    Clock::set(std::nullopt);
    auto text = [&](const char* name) { return itemsNamed(report, QString::fromLatin1(name))[0].second.text(); };
    EXPECT_EQ(text("Today"), QStringLiteral("Dados em 05/03/2011"));
    EXPECT_EQ(text("Short"), QStringLiteral("Dados em"));
    EXPECT_EQ(text("Long"), QStringLiteral("05 de março de 2011"));
    EXPECT_EQ(text("Fone"), QStringLiteral("(11) 3456-7890"));
    EXPECT_EQ(text("Cel"), QStringLiteral("(11) 3456-7890"));
    EXPECT_EQ(text("Literal"), QStringLiteral("[not an expression]"));
    EXPECT_EQ(texts(itemsNamed(report, QStringLiteral("Line"))), (QStringList{"#1", "#2"}));
}

TEST(Preparation, NamedTextSetBetweenRunsIsPrinted)
{
    ListReport list(0);
    list.title.addText(QStringLiteral("MemoID"), QRectF(44, 15, 17, 5), QStringLiteral("id"));
    TextBox* id = list.definition.findText(QStringLiteral("MemoID"));
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(list.definition.findText(QStringLiteral("CaptionRule")), nullptr); // a rule holds no text
    EXPECT_EQ(list.definition.findText(QStringLiteral("MemoNome")), nullptr);
    id->setText(QStringLiteral("57/08"));
    EXPECT_EQ(itemsNamed(list.definition.prepare(), QStringLiteral("MemoID"))[0].second.text(), QStringLiteral("57/08"));
}

TEST(Preparation, RefusesWhatItCannotPrintNamingIt)
{
    struct Case {
        const char* what;
        std::function<void(ListReport&)> spoil;
        const char* named;
    } cases[] = {
        {"unknown column", [](ListReport& l) { l.data.addText("X", {}, "[frxRows.\"IDADE\"]"); }, "IDADE"},
        {"unbound data set", [](ListReport& l) { l.data.addText("X", {}, "[frxNada.\"NOME\"]"); }, "frxNada"},
        {"unbound band data set", [](ListReport& l) { l.data.setDataSet("frxOutro"); }, "frxOutro"},
        {"unknown expression", [](ListReport& l) { l.data.addText("X", {}, "[Page#]"); }, "Page#"},
        {"unknown procedure", [](ListReport& l) { l.data.setAfterPrint("Sumiu"); }, "Sumiu"},
        {"unknown object", [](ListReport& l) { l.definition.setScript("begin Gradient9.Visible := false; end."); }, "Gradient9"},
        {"other statement", [](ListReport& l) { l.definition.setScript("begin ShowMessage('x'); end."); }, "ShowMessage"},
    };
    for (const Case& c : cases) {
        ListReport list(1);
        c.spoil(list);
        try {
            list.definition.prepare();
            ADD_FAILURE() << c.what << ": prepared";
        } catch (const EError& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.named))) << c.what << ": " << error.what();
        }
    }
}

TEST(Preparation, ReportPrintsOncePerRowOfItsMainDataSet)
{
    ListReport list(2);
    TableDataSet patients(QStringLiteral("qryRelFicha"), {{QStringLiteral("NOME"), ds::FieldType::Text}});
    list.definition.bindDataSet(QStringLiteral("frxFicha"), patients);
    list.definition.setMainDataSet(QStringLiteral("frxFicha"));
    list.title.addText(QStringLiteral("Patient"), QRectF(0, 15, 100, 5), QStringLiteral("[frxFicha.\"NOME\"]"));

    // Without rows the report still prints once, its values empty.
    const PreparedReport& none = list.definition.prepare();
    ASSERT_EQ(none.pages.size(), 1);
    EXPECT_EQ(itemsNamed(none, QStringLiteral("Patient"))[0].second.text(), QString());

    patients.close();
    patients.table << QVariantList{QStringLiteral("Ana")} << QVariantList{QStringLiteral("Bruno")};
    const PreparedReport& two = list.definition.prepare();
    ASSERT_EQ(two.pages.size(), 2);
    EXPECT_EQ(texts(itemsNamed(two, QStringLiteral("Patient"))), (QStringList{"Ana", "Bruno"}));
    EXPECT_EQ(two.pages[1].itemsNamed(QStringLiteral("Nome")).size(), 2);
}
