#include "reportengine/filledrect.h"

namespace report {

FilledRect::FilledRect(QString name, const QRectF& rectMm, const QColor& fill)
    : ReportObject(Kind::FilledRect, std::move(name), rectMm), m_fill(fill)
{
}

FilledRect& FilledRect::setFillColor(const QColor& color)
{
    m_fill = color;
    return *this;
}

FilledRect& FilledRect::setFillCondition(const QString& condition)
{
    m_condition = RowCondition::parse(condition);
    return *this;
}

} // namespace report
