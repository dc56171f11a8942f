#pragma once
// Controls placed at fixed positions that keep their distance to some edges
// of their container when it is resized: anchored right or bottom, a control
// moves (or, anchored on both sides, grows) with that edge. Distances are
// taken from the container's design size.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

class PageAnchors : public QObject {
    Q_OBJECT
public:
    explicit PageAnchors(QObject* parent = nullptr) : QObject(parent) {}

    // The widget's geometry is its design geometry within a container of
    // designSize; left and top are always kept.
    void anchor(QWidget* widget, Qt::Edges edges, QSize designSize);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QPointer<QWidget> widget;
        Qt::Edges edges;
        QRect design;
        QSize container;
    };
    static void apply(const Item& item);

    QList<Item> m_items;
};
