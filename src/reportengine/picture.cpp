#include "reportengine/picture.h"

namespace report {

Picture::Picture(QString name, const QRectF& rectMm) : ReportObject(Kind::Picture, std::move(name), rectMm) {}

QRectF Picture::fitted(const QSize& pixels, const QSizeF& boxMm)
{
    if (pixels.isEmpty() || boxMm.isEmpty())
        return {};
    const QSizeF size = QSizeF(pixels).scaled(boxMm, Qt::KeepAspectRatio);
    return QRectF(QPointF(0, 0), size);
}

} // namespace report
