#include "controls/lightgradient.h"

#include <QWidget>

namespace controls {

void setLightGradient(QWidget* bar)
{
    bar->setStyleSheet(QStringLiteral("#%1 { border: none; spacing: 0px; padding: 0px;"
                                      " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                      " stop:0 #ffffff, stop:1 #dcdcdc); }")
                           .arg(bar->objectName()));
}

} // namespace controls
