#pragma once
// Font measures in millimetres, taken once per font at a high resolution so
// that they hold for screen, paper and PDF alike. Character advances are
// cached: measuring a row's texts is then a few additions.

#include "reportengine/textfont.h"

#include <QFontMetricsF>
#include <QHash>
#include <QStringView>
#include <array>

namespace report {

class FontMetrics {
public:
    // The shared measures of a font; valid for the whole run of the program.
    static const FontMetrics& of(const TextFont& font);

    double ascent() const { return m_ascent; }
    double lineSpacing() const { return m_lineSpacing; }
    double advance(QChar c) const;
    double width(QStringView text) const;

private:
    explicit FontMetrics(const TextFont& font);

    QFontMetricsF m_metrics;
    double m_ascent;
    double m_lineSpacing;
    mutable std::array<float, 256> m_latin;
    mutable QHash<char16_t, double> m_other;
};

} // namespace report
