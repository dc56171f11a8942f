#include "mainwin/pageanchors.h"

#include <QEvent>

void PageAnchors::anchor(QWidget* widget, Qt::Edges edges, QSize designSize)
{
    QWidget* container = widget->parentWidget();
    bool watched = false;
    for (const Item& item : m_items)
        watched = watched || (item.widget && item.widget->parentWidget() == container);
    if (!watched)
        container->installEventFilter(this);
    m_items.append({widget, edges, widget->geometry(), designSize});
    apply(m_items.last());
}

void PageAnchors::apply(const Item& item)
{
    QWidget* w = item.widget;
    if (!w)
        return;
    const QSize now = w->parentWidget()->size();
    QRect r = item.design;
    if (item.edges & Qt::RightEdge) {
        const int gap = item.container.width() - item.design.right() - 1;
        if (item.edges & Qt::LeftEdge)
            r.setWidth(std::max(0, now.width() - gap - r.left()));
        else
            r.moveRight(now.width() - gap - 1);
    }
    if (item.edges & Qt::BottomEdge) {
        const int gap = item.container.height() - item.design.bottom() - 1;
        if (item.edges & Qt::TopEdge)
            r.setHeight(std::max(0, now.height() - gap - r.top()));
        else
            r.moveBottom(now.height() - gap - 1);
    }
    w->setGeometry(r);
}

bool PageAnchors::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        for (const Item& item : m_items)
            if (item.widget && item.widget->parentWidget() == watched)
                apply(item);
    return QObject::eventFilter(watched, event);
}
