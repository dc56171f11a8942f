#pragma once
// A prepared report on paper, in a PDF file or in PNG images, page by page.
// Every failure throws EError naming the file or the printer.

#include "reportengine/preparedreport.h"

#include <QStringList>

class QPrinter;

namespace report {

class Exporter {
public:
    static void toPdf(const PreparedReport& report, const QString& fileName, const QString& title = {});
    // One image per page: the file name itself for a single page, else
    // name_1.png, name_2.png ... Returns the files written.
    static QStringList toPng(const PreparedReport& report, const QString& fileName, int dpi = 150);
    // The pages in the printer's page range (all when it has none).
    static void print(const PreparedReport& report, QPrinter& printer);
};

} // namespace report
