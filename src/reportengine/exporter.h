#pragma once
// A prepared report on paper, in a PDF file or in PNG images, page by page.
// Every failure throws EError naming the file or the printer.

#include "reportengine/preparedreport.h"

#include <QSizeF>
#include <QStringList>
#include <QTransform>

class QIODevice;
class QPrinter;

namespace report {

class Exporter {
public:
    static void toPdf(const PreparedReport& report, const QString& fileName, const QString& title = {});
    // The same into a device open for writing.
    static void toPdf(const PreparedReport& report, QIODevice& device, const QString& title = {});
    // One image per page: the file name itself for a single page, else
    // name_1.png, name_2.png ... Returns the files written.
    static QStringList toPng(const PreparedReport& report, const QString& fileName, int dpi = 150);
    // The pages in the printer's page range (all when it has none), each
    // shrunk where the printer's paper is smaller in either direction (Letter,
    // a landscape sheet) and centred on it.
    static void print(const PreparedReport& report, QPrinter& printer);
    // Where a page of that size (mm) goes on a sheet of paper of that size: a
    // transformation of millimetres.
    static QTransform pageOnPaper(const QSizeF& pageMm, const QSizeF& paperMm);
};

} // namespace report
