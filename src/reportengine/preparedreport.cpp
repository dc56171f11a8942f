#include "reportengine/preparedreport.h"

#include "core/eerror.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QSaveFile>

namespace report {

namespace {
constexpr quint32 kMagic = 0x4D565250; // "MVRP"
constexpr quint16 kVersion = 2;   // 2: pictures
constexpr quint16 kOldestVersion = 1;
// The largest sheet a saved report may have (NaN fails the test too).
constexpr double kMaxSheetMm = 10000;

} // namespace

void PreparedReport::write(QIODevice& device) const
{
    QDataStream out(&device);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << qint32(pages.size());
    for (const PreparedPage& page : pages) {
        out << page.size << qint32(page.items.size());
        for (const PreparedItem& item : page.items)
            out << item;
    }
}

PreparedReport PreparedReport::read(QIODevice& device)
{
    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    qint32 pageCount = 0;
    in >> magic >> version >> pageCount;
    if (in.status() != QDataStream::Ok || magic != kMagic || version < kOldestVersion || version > kVersion || pageCount < 0)
        throw EError(QCoreApplication::translate("report", "The file is not a prepared report."));
    PreparedReport report;
    for (qint32 p = 0; p < pageCount && in.status() == QDataStream::Ok; ++p) {
        PreparedPage page;
        qint32 itemCount = 0;
        in >> page.size >> itemCount;
        if (!(page.size.width() > 0 && page.size.width() <= kMaxSheetMm && page.size.height() > 0 &&
              page.size.height() <= kMaxSheetMm))
            in.setStatus(QDataStream::ReadCorruptData);
        for (qint32 i = 0; i < itemCount && in.status() == QDataStream::Ok; ++i) {
            PreparedItem item;
            in >> item;
            page.items << std::move(item);
        }
        report.pages << std::move(page);
    }
    if (in.status() != QDataStream::Ok)
        throw EError(QCoreApplication::translate("report", "The prepared report is damaged."));
    return report;
}

void PreparedReport::save(const QString& fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EError(QCoreApplication::translate("report", "Cannot write the file %1.").arg(fileName));
    write(file);
    if (!file.commit())
        throw EError(QCoreApplication::translate("report", "Cannot write the file %1.").arg(fileName));
}

PreparedReport PreparedReport::load(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EError(QCoreApplication::translate("report", "Cannot read the file %1.").arg(fileName));
    return read(file);
}

} // namespace report
