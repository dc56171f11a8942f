#pragma once
// A horizontal rule: solid or dotted, thin by default.

#include "reportengine/reportobject.h"

#include <QColor>

namespace report {

enum class LineStyle { Solid, Dotted };

class Rule : public ReportObject {
public:
    // A rule from left/top, widthMm long.
    Rule(QString name, double leftMm, double topMm, double widthMm);

    LineStyle style() const { return m_style; }
    Rule& setStyle(LineStyle style);
    const QColor& color() const { return m_color; }
    Rule& setColor(const QColor& color);
    double penWidth() const { return m_penWidth; }
    Rule& setPenWidth(double mm);

private:
    LineStyle m_style = LineStyle::Solid;
    QColor m_color = Qt::black;
    double m_penWidth = 0.26; // one pixel on a 96 dpi screen
};

} // namespace report
