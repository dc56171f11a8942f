#include "dialogs/productpicture.h"

#include <QLinearGradient>
#include <QPainter>

QPixmap productPicture(const QSize& size)
{
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    // A soft band across the top with three toy blocks and the product's name;
    // the lower part stays white for the version and the links.
    const QRectF band(0, 0, size.width(), size.height() * 0.55);
    QLinearGradient sky(band.topLeft(), band.bottomLeft());
    sky.setColorAt(0, QColor(214, 234, 248));
    sky.setColorAt(1, Qt::white);
    painter.fillRect(band, sky);

    const qreal block = size.height() * 0.16;
    const QColor colours[] = {QColor(231, 76, 60), QColor(241, 196, 15), QColor(46, 134, 193)};
    for (int i = 0; i < 3; ++i) {
        const QRectF cube(size.width() * 0.08 + i * block * 1.15, band.height() - block * (i == 1 ? 2.1 : 1.1), block, block);
        painter.setPen(QPen(colours[i].darker(130), 2));
        painter.setBrush(colours[i]);
        painter.drawRoundedRect(cube, 6, 6);
    }

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(int(size.height() * 0.2));
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(31, 97, 141));
    const QRectF titleArea(size.width() * 0.42, band.height() * 0.15, size.width() * 0.56, band.height() * 0.6);
    painter.drawText(titleArea, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral(u"Marvok"));

    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(int(size.height() * 0.055));
    painter.setFont(subtitle);
    painter.setPen(QColor(84, 110, 122));
    painter.drawText(QRectF(titleArea.left(), titleArea.bottom(), titleArea.width(), band.height() * 0.25),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral(u"Prontuário clínico infantil"));
    return picture;
}
