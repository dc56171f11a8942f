// The preview window and each of its commands, answered through scripted dialogs.

#include "core/eerror.h"
#include "reportengine/pageview.h"
#include "reportengine/previewdialog.h"
#include "reportfixture.h"
#include "support/modaldriver.h"
#include "support/textfit.h"
#include "reportengine/definition.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace report;

namespace {

class PreviewTest : public ::testing::Test {
protected:
    PreviewTest() : preview(reporttest::childList(100), QStringLiteral("repChildren"))
    {
        preview.show();
        QApplication::setActiveWindow(&preview);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&preview));
    }

    QAction* command(const char* name) { return preview.findChild<QAction*>(QString::fromLatin1(name)); }
    void trigger(const char* name)
    {
        QAction* action = command(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    QString file(const char* name) { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    reporttest::ScriptedDialogs dialogs;
    PreviewDialog preview;
};

} // namespace

TEST_F(PreviewTest, OpensMaximizedAndModalAtFullSize)
{
    EXPECT_TRUE(preview.isMaximized());
    EXPECT_TRUE(preview.isModal());
    EXPECT_DOUBLE_EQ(preview.zoom(), 1.0);
    EXPECT_EQ(preview.findChild<QComboBox*>(QStringLiteral("zoomBox"))->currentText(), QStringLiteral("100%"));
    const double pixelsPerMm = preview.pageView()->logicalDpiX() / 25.4;
    EXPECT_NEAR(preview.pageView()->width() - 24, 210 * pixelsPerMm, 1.0);
    EXPECT_EQ(preview.currentPage(), 0);
}

TEST_F(PreviewTest, MovesBetweenPagesByKeysCommandsPageNumberAndOutline)
{
    ASSERT_EQ(preview.report().pages.size(), 3);
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(preview.currentPage(), 1);
    QTest::keyClick(&preview, Qt::Key_PageUp);
    EXPECT_EQ(preview.currentPage(), 0);
    trigger("actLast");
    EXPECT_EQ(preview.currentPage(), 2);
    trigger("actNext"); // stays on the last page
    EXPECT_EQ(preview.currentPage(), 2);
    trigger("actFirst");
    EXPECT_EQ(preview.currentPage(), 0);

    auto* pageBox = preview.findChild<QSpinBox*>(QStringLiteral("pageBox"));
    pageBox->setFocus();
    pageBox->selectAll();
    QTest::keyClicks(pageBox, QStringLiteral("2"));
    QTest::keyClick(pageBox, Qt::Key_Return);
    EXPECT_EQ(preview.currentPage(), 1);

    EXPECT_FALSE(preview.outline()->isVisible());
    trigger("actOutline");
    ASSERT_TRUE(preview.outline()->isVisible());
    ASSERT_EQ(preview.outline()->count(), 3);
    EXPECT_EQ(preview.outline()->item(2)->text(), QStringLiteral("Page 3"));
    EXPECT_EQ(preview.outline()->currentRow(), 1);
    preview.outline()->setCurrentRow(2);
    EXPECT_EQ(preview.currentPage(), 2);
    EXPECT_EQ(pageBox->value(), 3);
}

TEST_F(PreviewTest, FindMovesToEachHitAndMarksItOnThePage)
{
    auto* findEdit = preview.findChild<QLineEdit*>(QStringLiteral("findEdit"));
    findEdit->setFocus();
    QTest::keyClicks(findEdit, QStringLiteral("A 9"));
    QTest::keyClick(findEdit, Qt::Key_Return);
    // 9 on the first sheet, then 90 ... 99 on the third
    EXPECT_EQ(preview.currentPage(), 0);
    ASSERT_EQ(preview.pageView()->highlights().size(), 1);
    const QRectF hit = preview.pageView()->highlights()[0];
    EXPECT_EQ(hit, preview.report().pages[0].itemsNamed(QStringLiteral("Nome"))[8]->rect);

    const QImage shown = preview.pageView()->grab().toImage();
    const QColor marked = shown.pixelColor(preview.pageView()->toWidget(hit.topLeft() + QPointF(80, 2)).toPoint());
    EXPECT_GT(marked.red(), 200);
    EXPECT_LT(marked.blue(), 200); // yellow over white

    QTest::keyClick(findEdit, Qt::Key_Return);
    EXPECT_EQ(preview.currentPage(), 2);
    EXPECT_EQ(preview.pageView()->highlights().size(), 10);

    EXPECT_FALSE(preview.findNext(QStringLiteral("Adulto")));
    EXPECT_EQ(preview.statusText(), QStringLiteral("Text not found: Adulto"));
    EXPECT_TRUE(preview.pageView()->highlights().isEmpty());
}

TEST_F(PreviewTest, ZoomCommandsResizeThePage)
{
    const int full = preview.pageView()->width();
    trigger("actZoomIn");
    EXPECT_DOUBLE_EQ(preview.zoom(), 1.5);
    EXPECT_NEAR(preview.pageView()->width() - 24, (full - 24) * 1.5, 2);
    trigger("actZoomOut");
    trigger("actZoomOut");
    EXPECT_DOUBLE_EQ(preview.zoom(), 0.75);
    auto* zoomBox = preview.findChild<QComboBox*>(QStringLiteral("zoomBox"));
    zoomBox->setCurrentIndex(1);
    emit zoomBox->activated(1); // whole page
    EXPECT_LE(preview.pageView()->height(), preview.height());
}

TEST_F(PreviewTest, PrintsThroughThePrintDialogOnItsPrinter)
{
    const QString out = file("printed.pdf");
    QPrinter* asked = nullptr;
    dialogs.onPageSetup = [&](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    dialogs.onPrint = [&](QPrinter& printer) {
        asked = &printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        return true;
    };
    trigger("actPageSetup");
    trigger("actPrint");
    EXPECT_EQ(asked, &preview.printer());
    EXPECT_EQ(reporttest::pdfPageCount(out), 3);
    EXPECT_TRUE(reporttest::pdfText(out).contains(QStringLiteral("Criança 100")));
    EXPECT_TRUE(reporttest::pdfPageSize(out).startsWith(QStringLiteral("842 x 595"))); // the page setup's landscape

    dialogs.onPrint = [&](QPrinter& printer) { printer.setOutputFileName(file("cancelled.pdf")); return false; };
    trigger("actPrint");
    EXPECT_FALSE(QFileInfo::exists(file("cancelled.pdf")));
}

TEST_F(PreviewTest, SavedReportOpensInAnotherPreview)
{
    dialogs.fileName = file("saved");
    trigger("actSave");
    ASSERT_TRUE(QFileInfo::exists(file("saved.mvp")));

    PreviewDialog other(reporttest::childList(1), QStringLiteral("other"));
    dialogs.fileName = file("saved.mvp");
    other.findChild<QAction*>(QStringLiteral("actOpen"))->trigger();
    EXPECT_EQ(other.report(), preview.report());
    EXPECT_EQ(other.outline()->count(), 3);

    dialogs.fileName = file("missing.mvp");
    EXPECT_THROW(other.openReport(), EError);
    EXPECT_EQ(other.report(), preview.report()); // a failed open keeps what was shown
}

TEST_F(PreviewTest, ExportCommandsWriteTheChosenFiles)
{
    const struct {
        const char* command;
        const char* answer;
        QStringList written;
    } cases[] = {
        {"actExportPdf", "export.pdf", {"export.pdf"}},
        {"actQuickExport", "quick", {"quick.pdf"}},
        {"actExportPng", "pages.png", {"pages_1.png", "pages_2.png", "pages_3.png"}},
    };
    for (const auto& c : cases) {
        dialogs.fileName = file(c.answer);
        trigger(c.command);
        for (const QString& name : c.written)
            EXPECT_TRUE(QFileInfo::exists(dir.filePath(name))) << c.command << " " << name.toStdString();
    }
    EXPECT_TRUE(reporttest::pdfText(file("quick.pdf")).contains(QStringLiteral("Criança 46")));

    dialogs.fileName.clear(); // Cancel
    dialogs.asked.clear();
    trigger("actExportPdf");
    EXPECT_EQ(dialogs.asked, QStringList{QStringLiteral("Export to PDF")});
    EXPECT_EQ(QDir(dir.path()).count(), 2 + 5u);
}

TEST(ShowReport, PreparesAnewAndWaitsForTheModalPreviewToClose)
{
    reporttest::TableDataSet rows(QStringLiteral("qryRows"), {{QStringLiteral("NOME"), ds::FieldType::Text}});
    rows.table << QVariantList{QStringLiteral("Primeira")};
    Definition definition(QStringLiteral("repRows"));
    Band& data = definition.addPage(QStringLiteral("Page1")).addBand(BandKind::MasterData, QStringLiteral("MasterData1"), 6);
    data.setDataSet(QStringLiteral("frxRows"));
    data.addText(QStringLiteral("Nome"), QRectF(0, 0, 50, 5), QStringLiteral("[frxRows.\"NOME\"]"));
    definition.bindDataSet(QStringLiteral("frxRows"), rows);
    definition.prepare();
    rows.close();
    rows.table[0][0] = QStringLiteral("Segunda");

    QString shown;
    bool maximized = false;
    ModalDriver driver([&](QWidget* modal) {
        auto* preview = qobject_cast<PreviewDialog*>(modal);
        ASSERT_NE(preview, nullptr);
        maximized = preview->isMaximized();
        shown = preview->report().pages[0].items[0].text();
        QTest::keyClick(preview, Qt::Key_Escape);
    });
    definition.showReport();
    EXPECT_TRUE(driver.acted());
    EXPECT_TRUE(maximized);
    EXPECT_EQ(shown, QStringLiteral("Segunda"));
    EXPECT_TRUE(rows.isActive());
}

TEST(PreviewCommands, PicturesOnOneBarThatFitsA1024PixelWindow)
{
    PreviewDialog preview(reporttest::childList(100), QStringLiteral("Histórico - 57/08 Ana"));
    preview.setWindowState(Qt::WindowNoState);
    preview.resize(1024, 700);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    QToolBar* bar = preview.toolBar();
    auto* overflow = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_NE(overflow, nullptr);
    EXPECT_FALSE(overflow->isVisible()) << "commands hidden behind the overflow button";
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            continue;
        QWidget* shown = bar->widgetForAction(action);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->isVisible()) << action->objectName().toStdString();
        EXPECT_LE(shown->geometry().right(), bar->width()) << action->objectName().toStdString();
        if (auto* button = qobject_cast<QToolButton*>(shown)) {
            EXPECT_FALSE(button->icon().isNull()) << action->objectName().toStdString();
        }
    }
    EXPECT_TRUE(preview.findChild<QAction*>(QStringLiteral("actLast"))->isVisible());
    EXPECT_TRUE(cutTexts(preview).isEmpty()) << describeCutTexts(cutTexts(preview)).toStdString();
}

TEST(PreviewCommands, OnlyTheCommandsOfTheDefinitionAreOffered)
{
    reporttest::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    dialogs.fileName = dir.filePath(QStringLiteral("x"));
    PreviewDialog preview(reporttest::childList(100), QStringLiteral("Indicações"), nullptr,
                          PreviewButton::pbPrint | PreviewButton::pbNavigator);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    QToolBar* bar = preview.toolBar();
    auto offered = [&](const char* name) {
        auto* action = preview.findChild<QAction*>(QString::fromLatin1(name));
        return action && bar->actions().contains(action) && action->isEnabled();
    };
    for (const char* name : {"actPrint", "actFirst", "actNext", "actClose"})
        EXPECT_TRUE(offered(name)) << name;
    for (const char* name : {"actOpen", "actSave", "actQuickExport", "actZoomIn", "actFind", "actOutline",
                             "actPageSetup", "actExportPdf"})
        EXPECT_FALSE(offered(name)) << name;
    EXPECT_FALSE(preview.findChild<QLineEdit*>(QStringLiteral("findEdit"))->isVisible());
    EXPECT_FALSE(preview.findChild<QComboBox*>(QStringLiteral("zoomBox"))->isVisible());
    QTest::keyClick(&preview, Qt::Key_S, Qt::ControlModifier); // no saving by its key either
    EXPECT_TRUE(dialogs.asked.isEmpty());
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(preview.currentPage(), 1);
}

TEST(PreviewCommands, TitleAndProposedFileNamesCarryTheReportAndThePatient)
{
    reporttest::ScriptedDialogs dialogs;
    PreviewDialog preview(reporttest::childList(1), QStringLiteral("Histórico - 57/08 Ana Souza"));
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Preview - Histórico - 57/08 Ana Souza"));
    preview.findChild<QAction*>(QStringLiteral("actQuickExport"))->trigger();
    preview.findChild<QAction*>(QStringLiteral("actSave"))->trigger();
    EXPECT_EQ(dialogs.suggested, QStringList({QStringLiteral("Histórico - 57-08 Ana Souza.pdf"),
                                              QStringLiteral("Histórico - 57-08 Ana Souza.mvp")}));

    PreviewDialog untitled(reporttest::childList(1), QString());
    EXPECT_EQ(untitled.windowTitle(), QStringLiteral("Preview"));
    EXPECT_EQ(untitled.proposedFileName(QStringLiteral("pdf")), QStringLiteral("Report.pdf"));
}
