#pragma once
// A picture the program hands over (the practice's logo), drawn as large as
// its box allows without changing its proportions, from the box's top-left
// corner. An empty picture draws nothing.

#include "reportengine/reportobject.h"

#include <QImage>

namespace report {

class Picture : public ReportObject {
public:
    Picture(QString name, const QRectF& rectMm);

    // The largest side, in pixels, of a picture in a report: plenty for a
    // logo on paper, and a bound on what a saved report may make a reader
    // decode. A larger picture is kept scaled down to it.
    static constexpr int kLargestSide = 2000;

    const QImage& image() const { return m_image; }
    void setImage(const QImage& image);
    // Where the picture lands inside a box of that size (mm), from its corner.
    static QRectF fitted(const QSize& pixels, const QSizeF& boxMm);

private:
    QImage m_image;
};

} // namespace report
