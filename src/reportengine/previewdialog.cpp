#include "reportengine/previewdialog.h"

#include "icons/icons.h"
#include "reportengine/exporter.h"
#include "reportengine/pageview.h"
#include "reportengine/previewdialogs.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace report {

namespace {
const double kZoomSteps[] = {0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0};
constexpr int kPageWidthEntry = 0;
constexpr int kWholePageEntry = 1;
} // namespace

PreviewDialog::PreviewDialog(PreparedReport report, QString title, QWidget* parent, PreviewButtons buttons)
    : QDialog(parent), m_title(std::move(title)), m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("PreviewDialog"));
    setWindowTitle(m_title.isEmpty() ? tr("Preview") : tr("Preview - %1").arg(m_title));
    setModal(true);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setWindowState(windowState() | Qt::WindowMaximized);
    // The printer starts on the report's own paper; page setup and the print dialog may change it.
    if (!report.isEmpty())
        m_printer.setPageSize(QPageSize(report.pages.first().size, QPageSize::Millimeter, QString(),
                                        QPageSize::FuzzyMatch));
    m_printer.setPageOrientation(QPageLayout::Portrait);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    buildToolBar(buttons);

    auto* splitter = new QSplitter(this);
    m_outline = new QListWidget(splitter);
    m_outline->setObjectName(QStringLiteral("outline"));
    m_outline->hide();
    m_scroll = new QScrollArea(splitter);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PageView;
    m_scroll->setWidget(m_view);
    splitter->setStretchFactor(1, 1);
    m_layout->addWidget(splitter, 1);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_layout->addWidget(m_status);

    connect(m_outline, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            setCurrentPage(row);
    });
    setReport(std::move(report));
}

PreviewDialog::~PreviewDialog() = default;

QAction* PreviewDialog::addCommand(const QString& objectName, const QString& text, const char* icon,
                                   const QKeySequence& key, void (PreviewDialog::*slot)())
{
    auto* action = new QAction(text, this);
    action->setObjectName(objectName);
    if (icon)
        action->setIcon(icons::get(QString::fromLatin1(icon)));
    action->setShortcut(key);
    if (!key.isEmpty())
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
    addAction(action);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void PreviewDialog::buildToolBar(PreviewButtons buttons)
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setIconSize(QSize(16, 16));
    m_layout->addWidget(m_toolBar);

    // A command the definition does not allow is neither shown nor reachable by its key.
    auto offer = [this, buttons](PreviewButton button, QAction* action) {
        if (buttons.testFlag(button))
            m_toolBar->addAction(action);
        else
            action->setEnabled(false);
    };
    auto offerWidget = [this, buttons](PreviewButton button, QWidget* widget) {
        if (buttons.testFlag(button))
            m_toolBar->addWidget(widget);
        else
            widget->hide();
    };
    auto separate = [this] {
        if (!m_toolBar->actions().isEmpty() && !m_toolBar->actions().constLast()->isSeparator())
            m_toolBar->addSeparator();
    };

    offer(PreviewButton::pbPrint, addCommand(QStringLiteral("actPrint"), tr("Print"), "document-print",
                                             QKeySequence::Print, &PreviewDialog::print));
    offer(PreviewButton::pbLoad, addCommand(QStringLiteral("actOpen"), tr("Open"), "document-open", QKeySequence::Open,
                                            &PreviewDialog::openReport));
    offer(PreviewButton::pbSave, addCommand(QStringLiteral("actSave"), tr("Save"), "document-save", QKeySequence::Save,
                                            &PreviewDialog::saveReport));
    auto* exportMenu = new QMenu(this);
    QAction* exportPdf = addCommand(QStringLiteral("actExportPdf"), tr("PDF file..."), "application-pdf", {},
                                    &PreviewDialog::exportPdf);
    QAction* exportPng = addCommand(QStringLiteral("actExportPng"), tr("PNG images..."), nullptr, {},
                                    &PreviewDialog::exportPng);
    exportMenu->addAction(exportPdf);
    exportMenu->addAction(exportPng);
    auto* exportButton = new QToolButton(this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    exportButton->setText(tr("Export"));
    exportButton->setToolTip(tr("Export"));
    exportButton->setIcon(icons::get(QStringLiteral("document-export")));
    exportButton->setMenu(exportMenu);
    exportButton->setPopupMode(QToolButton::InstantPopup);
    offerWidget(PreviewButton::pbExport, exportButton);
    exportPdf->setEnabled(buttons.testFlag(PreviewButton::pbExport));
    exportPng->setEnabled(buttons.testFlag(PreviewButton::pbExport));
    offer(PreviewButton::pbExportQuick, addCommand(QStringLiteral("actQuickExport"), tr("Quick export (PDF)"),
                                                   "application-pdf", {}, &PreviewDialog::quickExport));
    separate();

    offer(PreviewButton::pbZoom, addCommand(QStringLiteral("actZoomOut"), tr("Zoom out"), "zoom-out",
                                            QKeySequence::ZoomOut, &PreviewDialog::zoomOut));
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));
    m_zoomBox->setToolTip(tr("Zoom"));
    m_zoomBox->addItem(icons::get(QStringLiteral("zoom-fit-width")), tr("Page width"));
    m_zoomBox->addItem(icons::get(QStringLiteral("zoom-fit-page")), tr("Whole page"));
    for (double step : kZoomSteps)
        m_zoomBox->addItem(QStringLiteral("%1%").arg(qRound(step * 100)), step);
    m_zoomBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_zoomBox, &QComboBox::activated, this, &PreviewDialog::zoomChosen);
    offerWidget(PreviewButton::pbZoom, m_zoomBox);
    offer(PreviewButton::pbZoom, addCommand(QStringLiteral("actZoomIn"), tr("Zoom in"), "zoom-in",
                                            QKeySequence::ZoomIn, &PreviewDialog::zoomIn));
    separate();

    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    m_findEdit->setPlaceholderText(tr("Find"));
    m_findEdit->setClearButtonEnabled(true);
    m_findEdit->setFixedWidth(140);
    offerWidget(PreviewButton::pbFind, m_findEdit);
    QAction* find = addCommand(QStringLiteral("actFind"), tr("Find next"), "edit-find", QKeySequence::FindNext,
                               &PreviewDialog::findNextTyped);
    offer(PreviewButton::pbFind, find);
    connect(m_findEdit, &QLineEdit::returnPressed, find, &QAction::trigger);
    auto* focusFind = new QAction(this);
    focusFind->setShortcut(QKeySequence::Find);
    focusFind->setEnabled(buttons.testFlag(PreviewButton::pbFind));
    connect(focusFind, &QAction::triggered, m_findEdit, [this] { m_findEdit->setFocus(); m_findEdit->selectAll(); });
    addAction(focusFind);

    QAction* outline = addCommand(QStringLiteral("actOutline"), tr("Outline"), "view-list-tree", {},
                                  &PreviewDialog::toggleOutline);
    outline->setCheckable(true);
    offer(PreviewButton::pbOutline, outline);
    offer(PreviewButton::pbPageSetup, addCommand(QStringLiteral("actPageSetup"), tr("Page setup"),
                                                 "document-print-frame", {}, &PreviewDialog::pageSetup));
    separate();

    offer(PreviewButton::pbNavigator, addCommand(QStringLiteral("actFirst"), tr("First page"), "go-first",
                                                 QKeySequence(Qt::CTRL | Qt::Key_Home), &PreviewDialog::firstPage));
    offer(PreviewButton::pbNavigator, addCommand(QStringLiteral("actPrior"), tr("Previous page"), "go-previous",
                                                 Qt::Key_PageUp, &PreviewDialog::priorPage));
    m_pageBox = new QSpinBox(this);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setToolTip(tr("Page"));
    m_pageBox->setKeyboardTracking(false);
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int value) { setCurrentPage(value - 1); });
    offerWidget(PreviewButton::pbNavigator, m_pageBox);
    m_pageCount = new QLabel(this);
    m_pageCount->setContentsMargins(4, 0, 4, 0);
    offerWidget(PreviewButton::pbNavigator, m_pageCount);
    offer(PreviewButton::pbNavigator, addCommand(QStringLiteral("actNext"), tr("Next page"), "go-next",
                                                 Qt::Key_PageDown, &PreviewDialog::nextPage));
    offer(PreviewButton::pbNavigator, addCommand(QStringLiteral("actLast"), tr("Last page"), "go-last",
                                                 QKeySequence(Qt::CTRL | Qt::Key_End), &PreviewDialog::lastPage));
    separate();
    m_toolBar->addAction(addCommand(QStringLiteral("actClose"), tr("Close"), "window-close", {}, &PreviewDialog::reject));
}

void PreviewDialog::setReport(PreparedReport report)
{
    m_report = std::move(report);
    m_hitPage = m_hitItem = -1;
    const int count = int(m_report.pages.size());
    {
        const QSignalBlocker blockOutline(m_outline);
        m_outline->clear();
        for (int i = 0; i < count; ++i)
            m_outline->addItem(tr("Page %1").arg(i + 1));
    }
    {
        const QSignalBlocker blockBox(m_pageBox);
        m_pageBox->setRange(count > 0 ? 1 : 0, count);
    }
    m_pageCount->setText(tr("of %1").arg(count));
    m_page = -1;
    setCurrentPage(0);
    setZoom(1.0);
}

void PreviewDialog::setCurrentPage(int page)
{
    const int count = int(m_report.pages.size());
    page = count == 0 ? 0 : std::clamp(page, 0, count - 1);
    if (page == m_page)
        return;
    m_page = page;
    showPage();
}

void PreviewDialog::showPage()
{
    m_view->setPage(m_report.isEmpty() ? nullptr : &m_report.pages[m_page]);
    {
        const QSignalBlocker blockBox(m_pageBox);
        m_pageBox->setValue(m_page + 1);
    }
    {
        const QSignalBlocker blockOutline(m_outline);
        m_outline->setCurrentRow(m_page);
    }
    markHits();
    m_scroll->verticalScrollBar()->setValue(0);
}

double PreviewDialog::zoom() const { return m_view->zoom(); }

void PreviewDialog::setZoom(double zoom)
{
    zoom = std::clamp(zoom, kZoomSteps[0], std::end(kZoomSteps)[-1]);
    m_view->setZoom(zoom);
    const int entry = m_zoomBox->findData(zoom);
    m_zoomBox->setCurrentIndex(entry);
    if (entry < 0)
        m_zoomBox->setEditText(QStringLiteral("%1%").arg(qRound(zoom * 100)));
}

void PreviewDialog::zoomChosen(int index)
{
    if (index != kPageWidthEntry && index != kWholePageEntry) {
        setZoom(m_zoomBox->itemData(index).toDouble());
        return;
    }
    const QSizeF mm = m_report.isEmpty() ? QSizeF(210, 297) : m_report.pages[m_page].size;
    const QSize room = m_scroll->viewport()->size() - QSize(30, 30);
    const double k = m_view->pixelsPerMm();
    const double byWidth = room.width() / (mm.width() * k);
    const double byHeight = room.height() / (mm.height() * k);
    setZoom(index == kPageWidthEntry ? byWidth : std::min(byWidth, byHeight));
    m_zoomBox->setCurrentIndex(index);
}

void PreviewDialog::zoomIn()
{
    for (double step : kZoomSteps)
        if (step > zoom() + 1e-6) {
            setZoom(step);
            return;
        }
}

void PreviewDialog::zoomOut()
{
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
        if (*it < zoom() - 1e-6) {
            setZoom(*it);
            return;
        }
}

void PreviewDialog::firstPage() { setCurrentPage(0); }
void PreviewDialog::priorPage() { setCurrentPage(m_page - 1); }
void PreviewDialog::nextPage() { setCurrentPage(m_page + 1); }
void PreviewDialog::lastPage() { setCurrentPage(int(m_report.pages.size()) - 1); }

void PreviewDialog::toggleOutline() { m_outline->setVisible(!m_outline->isVisible()); }

QString PreviewDialog::statusText() const { return m_status->text(); }

void PreviewDialog::findNextTyped() { findNext(m_findEdit->text()); }

bool PreviewDialog::findNext(const QString& text)
{
    if (text != m_findText) {
        m_findText = text;
        m_hitPage = m_page;
        m_hitItem = -1;
    }
    m_status->clear();
    const int pages = int(m_report.pages.size());
    if (text.isEmpty() || pages == 0) {
        markHits();
        return false;
    }
    if (m_hitPage < 0)
        m_hitPage = m_page;
    // From just after the last hit, through every page, back round to it.
    for (int step = 0; step <= pages; ++step) {
        const int page = (m_hitPage + step) % pages;
        const auto& items = m_report.pages[page].items;
        const int from = step == 0 ? m_hitItem + 1 : 0;
        for (int i = from; i < items.size(); ++i) {
            if (items[i].kind == PreparedItem::Kind::Text && items[i].text().contains(text, Qt::CaseInsensitive)) {
                m_hitPage = page;
                m_hitItem = i;
                m_page = -1;
                setCurrentPage(page);
                const QPointF at = m_view->toWidget(items[i].rect.topLeft());
                m_scroll->ensureVisible(int(at.x()), int(at.y()), 50, 100);
                return true;
            }
        }
    }
    m_hitItem = -1;
    m_status->setText(tr("Text not found: %1").arg(text));
    markHits();
    return false;
}

void PreviewDialog::markHits()
{
    QList<QRectF> hits;
    if (!m_findText.isEmpty() && !m_report.isEmpty())
        for (const PreparedItem& item : m_report.pages[m_page].items)
            if (item.kind == PreparedItem::Kind::Text && item.text().contains(m_findText, Qt::CaseInsensitive))
                hits << item.rect;
    m_view->setHighlights(hits);
}

QString PreviewDialog::proposedFileName(const QString& suffix) const
{
    static const QRegularExpression forbidden(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    QString name = m_title;
    name.replace(forbidden, QStringLiteral("-"));
    name = name.simplified();
    if (name.isEmpty())
        name = tr("Report");
    return name + u'.' + suffix;
}

QString PreviewDialog::askSaveName(const QString& caption, const QString& suffix, const QString& filter)
{
    QString name = PreviewDialogs::instance().saveFileName(this, caption, proposedFileName(suffix), filter);
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += u'.' + suffix;
    return name;
}

void PreviewDialog::print()
{
    m_printer.setDocName(m_title);
    m_printer.setFromTo(0, 0);
    if (PreviewDialogs::instance().print(m_printer, this)) {
        Exporter::print(m_report, m_printer);
        emit handedOut({});
    }
}

void PreviewDialog::pageSetup() { PreviewDialogs::instance().pageSetup(m_printer, this); }

void PreviewDialog::openReport()
{
    const QString name = PreviewDialogs::instance().openFileName(this, tr("Open prepared report"),
                                                                 tr("Prepared reports (*.mvp)"));
    if (!name.isEmpty())
        setReport(PreparedReport::load(name));
}

void PreviewDialog::saveReport()
{
    const QString name = askSaveName(tr("Save prepared report"), QStringLiteral("mvp"), tr("Prepared reports (*.mvp)"));
    if (!name.isEmpty()) {
        m_report.save(name);
        m_status->setText(tr("Saved to %1").arg(name));
        emit handedOut(name);
    }
}

void PreviewDialog::exportPdf() { exportPdfAs(tr("Export to PDF")); }

void PreviewDialog::quickExport() { exportPdfAs(tr("Quick export (PDF)")); }

void PreviewDialog::exportPdfAs(const QString& caption)
{
    const QString name = askSaveName(caption, QStringLiteral("pdf"), tr("PDF files (*.pdf)"));
    if (!name.isEmpty()) {
        Exporter::toPdf(m_report, name, m_title);
        m_status->setText(tr("Exported to %1").arg(name));
        emit handedOut(name);
    }
}

void PreviewDialog::exportPng()
{
    const QString name = askSaveName(tr("Export to PNG"), QStringLiteral("png"), tr("PNG images (*.png)"));
    if (!name.isEmpty()) {
        const QStringList files = Exporter::toPng(m_report, name);
        m_status->setText(tr("Exported to %1").arg(files.join(QStringLiteral(", "))));
        emit handedOut(files.join(QStringLiteral(", ")));
    }
}

} // namespace report
