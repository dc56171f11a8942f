#include "reportengine/pagepainter.h"

#include <QHash>
#include <QPaintDevice>
#include <QPainter>

namespace report {

double PagePainter::unitsPerMm(const QPainter& painter) { return painter.device()->logicalDpiX() / 25.4; }

void PagePainter::paint(QPainter& painter, const PreparedPage& page, double zoom)
{
    const double k = unitsPerMm(painter) * zoom;
    auto at = [k](const QRectF& mm) { return QRectF(mm.x() * k, mm.y() * k, mm.width() * k, mm.height() * k); };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QHash<TextFont, QFont> fonts;
    const TextFont* currentFont = nullptr;
    QColor currentColor;
    bool penIsText = false;
    for (const PreparedItem& item : page.items) {
        switch (item.kind) {
        case PreparedItem::Kind::Text: {
            if (!currentFont || !(*currentFont == item.font)) {
                auto it = fonts.find(item.font);
                if (it == fonts.end()) {
                    QFont font = item.font.toQFont();
                    font.setPointSizeF(item.font.pointSize * zoom);
                    it = fonts.insert(item.font, font);
                }
                painter.setFont(*it);
                currentFont = &it.key();
            }
            if (!penIsText || currentColor != item.font.color) {
                painter.setPen(item.font.color);
                currentColor = item.font.color;
                penIsText = true;
            }
            const double x = item.rect.x();
            const double y = item.rect.y();
            for (const TextLine& line : item.lines)
                if (!line.text.isEmpty())
                    painter.drawText(QPointF((x + line.origin.x()) * k, (y + line.origin.y()) * k), line.text);
            break;
        }
        case PreparedItem::Kind::Line: {
            QPen pen(item.color, std::max(1.0, item.penWidth * k));
            pen.setStyle(item.lineStyle == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            penIsText = false;
            const QRectF r = at(item.rect);
            painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
            break;
        }
        case PreparedItem::Kind::Rect:
            painter.fillRect(at(item.rect), item.color);
            break;
        case PreparedItem::Kind::Picture:
            painter.save();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(at(item.rect), item.image);
            painter.restore();
            break;
        }
    }
    painter.restore();
}

} // namespace report
