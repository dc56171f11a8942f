#pragma once
// A report definition built into the program: its pages, the data sets it
// reads under their report-side names, its script, and the pages it prepared
// last. Texts of named objects can be set between runs (MemoID, MemoNome).

#include "reportengine/datasource.h"
#include "reportengine/page.h"
#include "reportengine/preparedreport.h"
#include "reportengine/previewbuttons.h"

#include <QStringList>
#include <functional>

class QWidget;

namespace ds {
class DataSet;
}

namespace report {

class Definition {
public:
    explicit Definition(QString name);
    ~Definition();
    Definition(const Definition&) = delete;
    Definition& operator=(const Definition&) = delete;

    const QString& name() const { return m_name; }

    Page& addPage(const QString& name);
    const std::vector<std::unique_ptr<Page>>& pages() const { return m_pages; }
    Page* findPage(const QString& name) const;

    // Binds a report-side name (frxFicha) to a data set; a later binding of
    // the same name replaces the earlier one. Data sets open in binding order.
    void bindDataSet(const QString& name, std::unique_ptr<DataSource> source);
    void bindDataSet(const QString& name, ds::DataSet& dataSet);
    DataSource* dataSource(const QString& name) const; // nullptr when unbound
    QStringList dataSetNames() const;

    // The report prints once per row of its main data set (once when it has none or no rows).
    const QString& mainDataSet() const { return m_mainDataSet; }
    void setMainDataSet(const QString& name) { m_mainDataSet = name; }

    // What the user knows the prepared report by: the preview's window title
    // and the name it proposes for a saved or exported file. Unset, the
    // preview carries no report name.
    const QString& documentTitle() const { return m_documentTitle; }
    void setDocumentTitle(const QString& title) { m_documentTitle = title; }

    // The commands the preview offers; all of them unless set.
    PreviewButtons previewButtons() const { return m_buttons; }
    void setPreviewButtons(PreviewButtons buttons) { m_buttons = buttons; }

    const QString& script() const { return m_script; }
    void setScript(const QString& text) { m_script = text; }

    ReportObject* findObject(const QString& name) const;
    TextBox* findText(const QString& name) const;

    // Prepares the report anew, opening the data sets it uses that are closed;
    // they stay open. Throws EError.
    const PreparedReport& prepare();
    const PreparedReport& prepared() const { return m_prepared; }

    // Shows the pages prepared last in the modal preview.
    // handedOut runs after each print (with no file) and each file written from the preview.
    void showPrepared(QWidget* parent = nullptr, const std::function<void(const QString& file)>& handedOut = {});
    // Prepares the report and shows it in the modal preview.
    void showReport(QWidget* parent = nullptr);

private:
    QString m_name;
    std::vector<std::unique_ptr<Page>> m_pages;
    std::vector<std::pair<QString, std::unique_ptr<DataSource>>> m_sources;
    QString m_mainDataSet;
    QString m_script;
    QString m_documentTitle;
    PreviewButtons m_buttons = kAllPreviewButtons;
    PreparedReport m_prepared;
};

} // namespace report
