#include "reportengine/fontmetrics.h"

#include <QImage>
#include <memory>

namespace report {

namespace {
constexpr double kDpi = 1200;
constexpr double kMmPerPixel = 25.4 / kDpi;

const QImage& metricDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(int(kDpi / 0.0254 + 0.5));
        image.setDotsPerMeterY(int(kDpi / 0.0254 + 0.5));
        return image;
    }();
    return device;
}
} // namespace

FontMetrics::FontMetrics(const TextFont& font)
    : m_metrics(font.toQFont(), &metricDevice()),
      m_ascent(m_metrics.ascent() * kMmPerPixel),
      m_lineSpacing(m_metrics.lineSpacing() * kMmPerPixel)
{
    m_latin.fill(-1);
}

const FontMetrics& FontMetrics::of(const TextFont& font)
{
    // Never freed: font handles must not outlive the application object at exit.
    static auto& cache = *new QHash<TextFont, std::shared_ptr<FontMetrics>>;
    static TextFont lastKey;
    static const FontMetrics* last = nullptr;
    if (last && lastKey == font)
        return *last;
    auto it = cache.find(font);
    if (it == cache.end()) {
        TextFont key = font;
        key.color = Qt::black; // colour changes no measure
        it = cache.find(key);
        if (it == cache.end())
            it = cache.insert(key, std::shared_ptr<FontMetrics>(new FontMetrics(key)));
    }
    lastKey = font;
    last = it.value().get();
    return *last;
}

double FontMetrics::advance(QChar c) const
{
    const char16_t u = c.unicode();
    if (u < 256) {
        float& cached = m_latin[u];
        if (cached < 0)
            cached = float(m_metrics.horizontalAdvance(c) * kMmPerPixel);
        return cached;
    }
    auto it = m_other.constFind(u);
    if (it == m_other.constEnd())
        it = m_other.insert(u, m_metrics.horizontalAdvance(c) * kMmPerPixel);
    return *it;
}

double FontMetrics::width(QStringView text) const
{
    double w = 0;
    for (QChar c : text)
        w += advance(c);
    return w;
}

} // namespace report
