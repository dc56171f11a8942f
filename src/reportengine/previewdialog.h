#pragma once
// The modal preview of a prepared report: opens maximized at 100 % zoom and
// offers, as pictures on one tool bar, the commands its definition allows:
// print, open, save, export, quick export, zoom, find, an outline of the
// pages, page setup and page navigation. Its title and the file names it
// proposes carry the report's document title.

#include "reportengine/preparedreport.h"
#include "reportengine/previewbuttons.h"

#include <QDialog>
#include <QPrinter>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollArea;
class QSpinBox;
class QToolBar;
class QVBoxLayout;

namespace report {

class PageView;

class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    PreviewDialog(PreparedReport report, QString title, QWidget* parent = nullptr,
                  PreviewButtons buttons = kAllPreviewButtons);
    ~PreviewDialog() override;

    const PreparedReport& report() const { return m_report; }
    int currentPage() const { return m_page; } // from 0
    void setCurrentPage(int page);
    double zoom() const;
    void setZoom(double zoom);
    // Moves to the next text that holds what is searched, from the current
    // page on and round again; marks every hit on that page. False when none.
    bool findNext(const QString& text);

    PageView* pageView() const { return m_view; }
    QListWidget* outline() const { return m_outline; }
    QString statusText() const;
    QPrinter& printer() { return m_printer; }
    QToolBar* toolBar() const { return m_toolBar; }
    // The name proposed for a saved or exported file: the title, without the
    // characters a file name cannot hold, or "Relatório" without a title.
    QString proposedFileName(const QString& suffix) const;

    void print();
    void openReport();
    void saveReport();
    void exportPdf();
    void exportPng();
    void quickExport();
    void pageSetup();

signals:
    // The pages were printed (file empty) or written to that file.
    void handedOut(const QString& file);

private:
    QAction* addCommand(const QString& objectName, const QString& text, const char* icon, const QKeySequence& key,
                        void (PreviewDialog::*slot)());
    void buildToolBar(PreviewButtons buttons);
    void zoomIn();
    void zoomOut();
    void findNextTyped();
    void toggleOutline();
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    void setReport(PreparedReport report);
    void showPage();
    void zoomChosen(int index);
    void markHits();
    void exportPdfAs(const QString& caption);
    QString askSaveName(const QString& caption, const QString& suffix, const QString& filter);

    PreparedReport m_report;
    QString m_title;
    QPrinter m_printer;
    int m_page = 0;
    QString m_findText;
    int m_hitPage = -1;
    int m_hitItem = -1;

    PageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QListWidget* m_outline = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QLabel* m_pageCount = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QLabel* m_status = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QToolBar* m_toolBar = nullptr;
};

} // namespace report
