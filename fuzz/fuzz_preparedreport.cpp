// A saved prepared report is a file the user opens from the preview, so it is
// untrusted: any bytes load as a report or are refused with an error, and a
// loaded report is drawn and saved again as the preview would.

#include "core/eerror.h"
#include "fuzzsupport.h"
#include "reportengine/pagepainter.h"
#include "reportengine/preparedreport.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    report::PreparedReport loaded;
    try {
        loaded = report::PreparedReport::read(file);
    } catch (const EError& e) {
        if (e.message().isEmpty())
            fuzz::fail("a refused file gives no message");
        return 0;
    }
    // A small page image, as the preview's thumbnails would draw it.
    QImage image(60, 85, QImage::Format_RGB32);
    for (const report::PreparedPage& page : loaded.pages) {
        image.fill(Qt::white);
        QPainter painter(&image);
        report::PagePainter::paint(painter, page, 0.1);
    }
    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    loaded.write(out);
    out.close();
    out.open(QIODevice::ReadOnly);
    try {
        (void)report::PreparedReport::read(out);
    } catch (const EError&) {
        fuzz::fail("a loaded report, saved again, does not load");
    }
    return 0;
}
