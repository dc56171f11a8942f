#include "dialogs/bevelpanel.h"

#include <QPainter>
#include <qdrawutil.h>

BevelPanel::BevelPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::NoFrame);
    setContentsMargins(kBevelWidth, kBevelWidth, kBevelWidth, kBevelWidth);
    setAutoFillBackground(true);
}

void BevelPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    qDrawShadePanel(&painter, outer, palette(), true, 1);
    qDrawShadePanel(&painter, outer.adjusted(1, 1, -1, -1), palette(), false, 1);
}
