#include "controls/linklabel.h"

#include <QMouseEvent>

namespace controls {

QColor linkColor() { return QColor(0, 0, 255); }

QColor visitedLinkColor() { return QColor(128, 0, 128); }

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette shown = widget->palette();
    shown.setColor(QPalette::WindowText, color);
    shown.setColor(QPalette::Text, color);
    widget->setPalette(shown);
}

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setTextColor(this, linkColor());
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::setVisited()
{
    m_visited = true;
    setTextColor(this, visitedLinkColor());
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace controls
