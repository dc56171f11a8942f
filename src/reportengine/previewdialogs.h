#pragma once
// The dialogs the preview opens: file names, printing, page setup. The
// program uses Qt's; tests install their own answers.

#include <QString>

class QPrinter;
class QWidget;

namespace report {

class PreviewDialogs {
public:
    virtual ~PreviewDialogs() = default;
    // An empty name answers Cancel.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& filter);
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filter);
    // Qt's print dialog on the printer; true to print.
    virtual bool print(QPrinter& printer, QWidget* parent);
    // Qt's page setup dialog on the printer; true when accepted.
    virtual bool pageSetup(QPrinter& printer, QWidget* parent);

    static PreviewDialogs& instance();
    // nullptr restores Qt's dialogs. Not owned.
    static void setInstance(PreviewDialogs* dialogs);
};

} // namespace report
