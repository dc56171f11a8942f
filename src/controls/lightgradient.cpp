#include "controls/lightgradient.h"

#include <QLayout>
#include <QLinearGradient>
#include <QPalette>
#include <QWidget>

namespace controls {

void setLightGradient(QWidget* bar)
{
    // The gradient is the bar's own background brush: a style sheet would
    // hand the bar's buttons the system font instead of the window's.
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, QColor(255, 255, 255));
    gradient.setColorAt(1, QColor(220, 220, 220));
    QPalette face = bar->palette();
    face.setBrush(QPalette::Window, gradient);
    bar->setPalette(face);
    bar->setAutoFillBackground(true);
    bar->setContentsMargins(0, 0, 0, 0);
    if (bar->layout()) {
        bar->layout()->setSpacing(0);
        bar->layout()->setContentsMargins(0, 0, 0, 0);
    }
}

} // namespace controls
