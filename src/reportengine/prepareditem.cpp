#include "reportengine/prepareditem.h"

#include <QStringList>

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
    }
    return out;
}

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
    default:
        in.setStatus(QDataStream::ReadCorruptData);
        break;
    }
    return in;
}

} // namespace report
