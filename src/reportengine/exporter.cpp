#include "reportengine/exporter.h"

#include "core/eerror.h"
#include "reportengine/pagepainter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTransform>

namespace report {

namespace {

QPageSize pageSize(const PreparedPage& page)
{
    return QPageSize(page.size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

void writePdf(const PreparedReport& report, QPdfWriter& writer, const QString& title, const QString& fileName)
{
    writer.setCreator(QCoreApplication::applicationName());
    writer.setTitle(title);
    writer.setResolution(1200);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    if (!report.isEmpty())
        writer.setPageSize(pageSize(report.pages.first()));
    QPainter painter;
    if (!painter.begin(&writer))
        throw EError(QCoreApplication::translate("report", "Cannot write the file %1.").arg(fileName));
    for (qsizetype i = 0; i < report.pages.size(); ++i) {
        if (i > 0) {
            writer.setPageSize(pageSize(report.pages[i]));
            writer.newPage();
        }
        PagePainter::paint(painter, report.pages[i]);
    }
    if (!painter.end())
        throw EError(QCoreApplication::translate("report", "Cannot write the file %1.").arg(fileName));
}

} // namespace

void Exporter::toPdf(const PreparedReport& report, const QString& fileName, const QString& title)
{
    QPdfWriter writer(fileName);
    writePdf(report, writer, title, fileName);
}

void Exporter::toPdf(const PreparedReport& report, QIODevice& device, const QString& title)
{
    QPdfWriter writer(&device);
    writePdf(report, writer, title, title);
}

QStringList Exporter::toPng(const PreparedReport& report, const QString& fileName, int dpi)
{
    const QFileInfo info(fileName);
    const QString stem = info.path() + u'/' + info.completeBaseName();
    QStringList written;
    for (qsizetype i = 0; i < report.pages.size(); ++i) {
        const PreparedPage& page = report.pages[i];
        QImage image(qRound(page.size.width() / 25.4 * dpi), qRound(page.size.height() / 25.4 * dpi), QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PagePainter::paint(painter, page);
        }
        const QString name = report.pages.size() == 1 ? fileName : QStringLiteral("%1_%2.png").arg(stem).arg(i + 1);
        if (!image.save(name, "PNG"))
            throw EError(QCoreApplication::translate("report", "Cannot write the file %1.").arg(name));
        written << name;
    }
    return written;
}

QTransform Exporter::pageOnPaper(const QSizeF& pageMm, const QSizeF& paperMm)
{
    if (pageMm.isEmpty() || paperMm.isEmpty())
        return {};
    // Never enlarged; shrunk to fit a smaller or turned sheet; centred on it.
    const double scale = std::min({1.0, paperMm.width() / pageMm.width(), paperMm.height() / pageMm.height()});
    QTransform t;
    t.translate((paperMm.width() - pageMm.width() * scale) / 2, (paperMm.height() - pageMm.height() * scale) / 2);
    t.scale(scale, scale);
    return t;
}

void Exporter::print(const PreparedReport& report, QPrinter& printer)
{
    printer.setFullPage(true);
    int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    int to = printer.toPage() > 0 ? std::min<int>(printer.toPage(), int(report.pages.size())) : int(report.pages.size());
    QPainter painter;
    if (!painter.begin(&printer))
        throw EError(QCoreApplication::translate("report", "Cannot print on %1.").arg(printer.printerName()));
    const double unitsPerMm = PagePainter::unitsPerMm(painter);
    const QSizeF paperMm = printer.paperRect(QPrinter::Millimeter).size();
    for (int n = from; n <= to; ++n) {
        if (n > from)
            printer.newPage();
        const QTransform mm = pageOnPaper(report.pages[n - 1].size, paperMm);
        painter.save();
        // The placement is in millimetres; the painter draws in device units.
        painter.setTransform(QTransform::fromScale(1 / unitsPerMm, 1 / unitsPerMm) * mm *
                             QTransform::fromScale(unitsPerMm, unitsPerMm));
        PagePainter::paint(painter, report.pages[n - 1]);
        painter.restore();
    }
    painter.end();
}

} // namespace report
