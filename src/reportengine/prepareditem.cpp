#include "reportengine/prepareditem.h"

#include "reportengine/picture.h"

#include <QBuffer>
#include <QImageReader>
#include <QStringList>
#include <QtEndian>
#include <cmath>

namespace report {

QString PreparedItem::text() const
{
    QStringList shown;
    shown.reserve(lines.size());
    for (const TextLine& line : lines)
        shown << line.text;
    return shown.join(u'\n');
}

QDataStream& operator<<(QDataStream& out, const PreparedItem& item)
{
    out << quint8(item.kind) << item.name << item.rect;
    switch (item.kind) {
    case PreparedItem::Kind::Text:
        out << item.font << item.ascent << item.lineHeight << qint32(item.lines.size());
        for (const TextLine& line : item.lines)
            out << line.text << line.origin;
        break;
    case PreparedItem::Kind::Line:
        out << item.color << quint8(item.lineStyle) << item.penWidth;
        break;
    case PreparedItem::Kind::Rect:
        out << item.color;
        break;
    case PreparedItem::Kind::Picture: {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        item.image.save(&buffer, "PNG");
        out << png;
        break;
    }
    }
    return out;
}

namespace {

// A file we did not write may hold any number: lengths beyond any sheet, fonts
// no printer draws and numbers that are no numbers are damage, not a report.
constexpr double kMaxMm = 100000;
constexpr double kMaxPoints = 1000;
constexpr int kMaxPixels = Picture::kLargestSide;

// What a saved picture needs of its PNG file: header, palette, transparency
// and pixels. Any other chunk (texts, colour profiles) is left out before the
// decoder sees it, so that no chunk can make it set aside more memory than
// the picture's own size; a chunk that claims more bytes than follow it
// makes the picture unreadable.
QByteArray essentialPng(const QByteArray& png)
{
    static const QByteArray kSignature("\x89PNG\r\n\x1a\n", 8);
    static const QByteArrayList kEssential = {"IHDR", "PLTE", "tRNS", "IDAT", "IEND"};
    if (!png.startsWith(kSignature))
        return {};
    QByteArray kept = kSignature;
    for (qsizetype at = kSignature.size(); at + 12 <= png.size();) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        if (length > quint64(png.size() - at - 12))
            return {};
        const qsizetype whole = 12 + qsizetype(length); // length, type, data, CRC
        const QByteArray type = png.mid(at + 4, 4);
        if (kEssential.contains(type))
            kept += png.mid(at, whole);
        if (type == "IEND")
            return kept;
        at += whole;
    }
    return {};
}

bool within(double v, double low, double high) { return std::isfinite(v) && v >= low && v <= high; }

bool placed(const QRectF& r)
{
    return within(r.x(), -kMaxMm, kMaxMm) && within(r.y(), -kMaxMm, kMaxMm) && within(r.width(), -kMaxMm, kMaxMm) &&
           within(r.height(), -kMaxMm, kMaxMm);
}

bool sane(const PreparedItem& item)
{
    if (!placed(item.rect))
        return false;
    switch (item.kind) {
    case PreparedItem::Kind::Text:
        for (const TextLine& line : item.lines)
            if (!within(line.origin.x(), -kMaxMm, kMaxMm) || !within(line.origin.y(), -kMaxMm, kMaxMm))
                return false;
        return within(item.font.pointSize, 0.1, kMaxPoints) && within(item.ascent, -kMaxMm, kMaxMm) &&
               within(item.lineHeight, -kMaxMm, kMaxMm);
    case PreparedItem::Kind::Line:
        return within(item.penWidth, 0, kMaxMm) &&
               (item.lineStyle == LineStyle::Solid || item.lineStyle == LineStyle::Dotted);
    case PreparedItem::Kind::Rect:
        return true;
    case PreparedItem::Kind::Picture:
        return !item.image.isNull() && item.image.width() <= kMaxPixels && item.image.height() <= kMaxPixels;
    }
    return false;
}

} // namespace

QDataStream& operator>>(QDataStream& in, PreparedItem& item)
{
    quint8 kind = 0;
    in >> kind >> item.name >> item.rect;
    item.kind = PreparedItem::Kind(kind);
    switch (item.kind) {
    case PreparedItem::Kind::Text: {
        qint32 count = 0;
        in >> item.font >> item.ascent >> item.lineHeight >> count;
        item.lines.clear();
        for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            TextLine line;
            in >> line.text >> line.origin;
            item.lines << line;
        }
        break;
    }
    case PreparedItem::Kind::Line: {
        quint8 style = 0;
        in >> item.color >> style >> item.penWidth;
        item.lineStyle = LineStyle(style);
        break;
    }
    case PreparedItem::Kind::Rect:
        in >> item.color;
        break;
    case PreparedItem::Kind::Picture: {
        QByteArray png;
        in >> png;
        png = essentialPng(png);
        // The size is read from the header before any pixel is decoded.
        QBuffer buffer(&png);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "PNG");
        const QSize size = reader.size();
        if (size.isValid() && size.width() <= kMaxPixels && size.height() <= kMaxPixels)
            item.image = reader.read();
        break;
    }
    default:
        in.setStatus(QDataStream::ReadCorruptData);
        return in;
    }
    if (in.status() == QDataStream::Ok && !sane(item))
        in.setStatus(QDataStream::ReadCorruptData);
    return in;
}

} // namespace report
