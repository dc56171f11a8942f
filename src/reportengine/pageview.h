#pragma once
// The sheet on screen: one prepared page at a zoom, with the hits of a
// search marked on it.

#include "reportengine/preparedpage.h"

#include <QWidget>

namespace report {

class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    void setPage(const PreparedPage* page);
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    // Rectangles in mm on the page.
    const QList<QRectF>& highlights() const { return m_highlights; }
    void setHighlights(const QList<QRectF>& rectsMm);

    // Pixels per millimetre at zoom 1.
    double pixelsPerMm() const;
    // Where a point of the page (mm) shows in the widget.
    QPointF toWidget(const QPointF& mm) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateSize();

    const PreparedPage* m_page = nullptr;
    double m_zoom = 1.0;
    QList<QRectF> m_highlights;
};

} // namespace report
