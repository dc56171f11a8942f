#include "reportengine/rule.h"

namespace report {

Rule::Rule(QString name, double leftMm, double topMm, double widthMm)
    : ReportObject(Kind::Rule, std::move(name), QRectF(leftMm, topMm, widthMm, 0))
{
}

Rule& Rule::setStyle(LineStyle style)
{
    m_style = style;
    return *this;
}

Rule& Rule::setColor(const QColor& color)
{
    m_color = color;
    return *this;
}

Rule& Rule::setPenWidth(double mm)
{
    m_penWidth = mm;
    return *this;
}

} // namespace report
