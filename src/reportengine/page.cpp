#include "reportengine/page.h"

namespace report {

Page::Page(QString name) : m_name(std::move(name)), m_sheet(BandKind::Sheet, QString(), 0) {}

Page& Page::setPaperSize(const QSizeF& mm)
{
    m_paper = mm;
    return *this;
}

Page& Page::setMargins(const QMarginsF& mm)
{
    m_margins = mm;
    return *this;
}

Page& Page::setContinuationTop(double mm)
{
    m_continuationTop = mm;
    return *this;
}

QRectF Page::printableRect() const { return QRectF(QPointF(0, 0), m_paper).marginsRemoved(m_margins); }

Page& Page::setDefaultFont(const TextFont& font)
{
    m_font = font;
    return *this;
}

Band& Page::addBand(BandKind kind, const QString& name, double heightMm)
{
    m_bands.push_back(std::make_unique<Band>(kind, name, heightMm));
    return *m_bands.back();
}

ReportObject* Page::findObject(const QString& name) const
{
    if (ReportObject* found = m_sheet.findObject(name))
        return found;
    for (const auto& band : m_bands)
        if (ReportObject* found = band->findObject(name))
            return found;
    return nullptr;
}

} // namespace report
