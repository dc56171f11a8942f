#pragma once
// Shared pieces of the report engine tests: a data set whose rows come from
// its open (as a statement's would), scripted preview dialogs and readers of
// what the engine wrote.

#include "dataset/dataset.h"
#include "reportengine/preparedreport.h"
#include "reportengine/previewdialogs.h"
#include "support/pdffile.h"

#include <QTemporaryDir>
#include <functional>

namespace reporttest {

// Fills its rows from a table each time it opens, and counts the opens.
class TableDataSet : public ds::DataSet {
public:
    TableDataSet(const QString& name, const QList<std::pair<QString, ds::FieldType>>& columns);
    QList<QVariantList> table;
    int opens = 0;

protected:
    void doOpen() override;
};

// The answers the preview's dialogs give.
class ScriptedDialogs : public report::PreviewDialogs {
public:
    ScriptedDialogs() { setInstance(this); }
    ~ScriptedDialogs() override { setInstance(nullptr); }

    QString fileName;                               // answer of the file dialogs
    std::function<bool(QPrinter&)> onPrint;         // answer of the print dialog
    std::function<bool(QPrinter&)> onPageSetup;     // answer of the page setup dialog
    QStringList asked;                              // captions of the file dialogs, in order
    QStringList suggested;                          // the names the save dialogs proposed, in order

    QString openFileName(QWidget*, const QString& caption, const QString&) override;
    QString saveFileName(QWidget*, const QString& caption, const QString&, const QString&) override;
    bool print(QPrinter& printer, QWidget*) override;
    bool pageSetup(QPrinter& printer, QWidget*) override;
};

// A prepared list of that many rows "Criança 1" ... under a title and a caption, 45 rows a sheet.
report::PreparedReport childList(int rows);

using pdffile::pdfPageCount;
using pdffile::pdfPageSize;
using pdffile::pdfText;

// Every item of that name on every page, with its page number from 0.
QList<std::pair<int, report::PreparedItem>> itemsNamed(const report::PreparedReport& report, const QString& name);

} // namespace reporttest
