#pragma once
// A rectangle filled with one colour, on every row or on the rows that meet
// its condition; it holds no text.

#include "reportengine/reportobject.h"
#include "reportengine/rowcondition.h"

#include <QColor>

namespace report {

class FilledRect : public ReportObject {
public:
    FilledRect(QString name, const QRectF& rectMm, const QColor& fill);

    const QColor& fillColor() const { return m_fill; }
    FilledRect& setFillColor(const QColor& color);

    const RowCondition& fillCondition() const { return m_condition; }
    // "<Line> mod 2 = 1"; throws EError for any other form.
    FilledRect& setFillCondition(const QString& condition);

private:
    QColor m_fill;
    RowCondition m_condition;
};

} // namespace report
