#pragma once
// The picture of the product shown in the about box, drawn at the size asked for.

#include <QPixmap>

QPixmap productPicture(const QSize& size);
