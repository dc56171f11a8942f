#pragma once
// A page of a definition: paper, margins, the default font of its texts, the
// objects placed straight on the sheet and its bands in printing order. A page
// that some sub-list shows is never printed as a sheet of its own.

#include "reportengine/band.h"

#include <QMarginsF>
#include <QSizeF>
#include <algorithm>

namespace report {

class Page {
public:
    explicit Page(QString name);
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    const QString& name() const { return m_name; }

    QSizeF paperSize() const { return m_paper; }  // mm, A4 portrait unless set
    Page& setPaperSize(const QSizeF& mm);
    QMarginsF margins() const { return m_margins; } // mm
    Page& setMargins(const QMarginsF& mm);
    QRectF printableRect() const;
    // Where the bands of every sheet after the first begin, from the sheet's
    // top edge; the top margin unless set higher.
    double continuationTop() const { return std::max(m_margins.top(), m_continuationTop); }
    Page& setContinuationTop(double mm);

    const TextFont& defaultFont() const { return m_font; }
    Page& setDefaultFont(const TextFont& font);

    // Objects at fixed places on the page's first sheet, from the margins' corner.
    Band& sheet() { return m_sheet; }
    const Band& sheet() const { return m_sheet; }

    Band& addBand(BandKind kind, const QString& name, double heightMm);
    const std::vector<std::unique_ptr<Band>>& bands() const { return m_bands; }

    ReportObject* findObject(const QString& name) const;

private:
    QString m_name;
    QSizeF m_paper{210, 297};
    QMarginsF m_margins;
    double m_continuationTop = 0;
    TextFont m_font{QStringLiteral("Arial"), 10};
    Band m_sheet;
    std::vector<std::unique_ptr<Band>> m_bands;
};

} // namespace report
