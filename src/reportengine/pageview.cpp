#include "reportengine/pageview.h"

#include "reportengine/pagepainter.h"

#include <QPainter>

namespace report {

namespace {
constexpr int kGap = 12; // grey border around the sheet, pixels
}

PageView::PageView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(p);
}

void PageView::setPage(const PreparedPage* page)
{
    m_page = page;
    updateSize();
    update();
}

void PageView::setZoom(double zoom)
{
    m_zoom = zoom;
    updateSize();
    update();
}

void PageView::setHighlights(const QList<QRectF>& rectsMm)
{
    m_highlights = rectsMm;
    update();
}

double PageView::pixelsPerMm() const { return logicalDpiX() / 25.4; }

QPointF PageView::toWidget(const QPointF& mm) const
{
    const double k = pixelsPerMm() * m_zoom;
    return QPointF(kGap + mm.x() * k, kGap + mm.y() * k);
}

QSize PageView::sizeHint() const
{
    const QSizeF mm = m_page ? m_page->size : QSizeF(210, 297);
    const double k = pixelsPerMm() * m_zoom;
    return QSize(qCeil(mm.width() * k) + 2 * kGap, qCeil(mm.height() * k) + 2 * kGap);
}

void PageView::updateSize() { resize(sizeHint()); }

void PageView::paintEvent(QPaintEvent*)
{
    if (!m_page)
        return;
    const double k = pixelsPerMm() * m_zoom;
    const QRectF sheet(kGap, kGap, m_page->size.width() * k, m_page->size.height() * k);
    QPainter painter(this);
    painter.fillRect(sheet.translated(3, 3), QColor(64, 64, 64));
    painter.fillRect(sheet, Qt::white);
    painter.translate(sheet.topLeft());
    PagePainter::paint(painter, *m_page, m_zoom);
    for (const QRectF& mm : m_highlights)
        painter.fillRect(QRectF(mm.x() * k, mm.y() * k, mm.width() * k, mm.height() * k), QColor(255, 255, 0, 110));
}

} // namespace report
