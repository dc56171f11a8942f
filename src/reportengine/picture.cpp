#include "reportengine/picture.h"

namespace report {

Picture::Picture(QString name, const QRectF& rectMm) : ReportObject(Kind::Picture, std::move(name), rectMm) {}

void Picture::setImage(const QImage& image)
{
    m_image = image.width() > kLargestSide || image.height() > kLargestSide
                  ? image.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                  : image;
}

QRectF Picture::fitted(const QSize& pixels, const QSizeF& boxMm)
{
    if (pixels.isEmpty() || boxMm.isEmpty())
        return {};
    const QSizeF size = QSizeF(pixels).scaled(boxMm, Qt::KeepAspectRatio);
    return QRectF(QPointF(0, 0), size);
}

} // namespace report
