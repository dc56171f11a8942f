#pragma once
// One drawn thing of a prepared page, in millimetres from the sheet's
// top-left corner: a text with its lines already broken, a rule, a fill or a
// picture.

#include "reportengine/textfont.h"
#include "reportengine/rule.h"

#include <QDataStream>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>

namespace report {

struct TextLine {
    QString text;
    QPointF origin; // baseline start, from the item's top-left corner
    bool operator==(const TextLine&) const = default;
};

struct PreparedItem {
    enum class Kind : quint8 { Text, Line, Rect, Picture };

    Kind kind = Kind::Text;
    QString name; // of the object it comes from
    QRectF rect;
    // Text
    TextFont font;
    QList<TextLine> lines;
    double ascent = 0;
    double lineHeight = 0;
    // Line: the pen; Rect: the fill
    QColor color;
    LineStyle lineStyle = LineStyle::Solid;
    double penWidth = 0;
    // Picture: drawn into rect
    QImage image;

    QString text() const; // the lines shown, one under the other
    bool operator==(const PreparedItem&) const = default;
};

QDataStream& operator<<(QDataStream& out, const PreparedItem& item);
QDataStream& operator>>(QDataStream& in, PreparedItem& item);

} // namespace report
