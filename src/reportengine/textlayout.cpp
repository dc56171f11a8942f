#include "reportengine/textlayout.h"

#include "reportengine/fontmetrics.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr double kTolerance = 0.01; // mm

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

class LineBreaker {
public:
    LineBreaker(const FontMetrics& metrics, double width, int maxLines, WrappedText& out)
        : m_metrics(metrics), m_width(width + kTolerance), m_maxLines(maxLines), m_out(out)
    {
    }

    bool full() const { return m_maxLines >= 0 && m_out.lines.size() >= m_maxLines; }

    void push(QStringView text)
    {
        while (!text.isEmpty() && isBlank(text.back()))
            text.chop(1);
        m_out.lines << text.toString();
        m_out.widths << m_metrics.width(text);
    }

    void wrap(QStringView paragraph)
    {
        qsizetype start = 0;
        qsizetype lastBlank = -1; // a break may come before this blank
        double width = 0;
        for (qsizetype i = 0; i < paragraph.size() && !full(); ++i) {
            const QChar c = paragraph.at(i);
            const double w = m_metrics.advance(c);
            if (isBlank(c)) {
                if (i > start)
                    lastBlank = i;
                width += w;
                continue;
            }
            if (width + w > m_width && i > start) {
                qsizetype next = i;
                if (lastBlank > start) {
                    push(paragraph.mid(start, lastBlank - start));
                    next = lastBlank;
                    while (next < i && isBlank(paragraph.at(next)))
                        ++next;
                } else {
                    push(paragraph.mid(start, i - start));
                }
                start = next;
                lastBlank = -1;
                width = m_metrics.width(paragraph.mid(start, i - start));
            }
            width += w;
        }
        if (!full())
            push(paragraph.mid(start));
    }

    void cut(QStringView paragraph)
    {
        double width = 0;
        qsizetype n = 0;
        while (n < paragraph.size() && width + m_metrics.advance(paragraph.at(n)) <= m_width)
            width += m_metrics.advance(paragraph.at(n++));
        push(paragraph.left(n));
    }

private:
    const FontMetrics& m_metrics;
    double m_width;
    int m_maxLines;
    WrappedText& m_out;
};

} // namespace

WrappedText TextLayout::wrap(const QString& text, const TextFont& font, double widthMm, TextFlow flow, int maxLines)
{
    const FontMetrics& metrics = FontMetrics::of(font);
    WrappedText out;
    out.ascent = metrics.ascent();
    out.lineSpacing = metrics.lineSpacing();
    LineBreaker breaker(metrics, widthMm, maxLines, out);
    QStringView rest(text);
    while (!breaker.full()) {
        qsizetype end = 0;
        while (end < rest.size() && rest.at(end) != u'\n' && rest.at(end) != u'\r')
            ++end;
        const QStringView paragraph = rest.left(end);
        if (flow == TextFlow::NoWrap)
            breaker.cut(paragraph);
        else
            breaker.wrap(paragraph);
        if (end >= rest.size())
            break;
        // \r\n, \n and \r each end one paragraph
        end += (rest.at(end) == u'\r' && end + 1 < rest.size() && rest.at(end + 1) == u'\n') ? 2 : 1;
        rest = rest.mid(end);
    }
    // An empty text still has its one (empty) line, so a box keeps its place.
    return out;
}

WrappedText TextLayout::fit(const QString& text, TextFont& font, const QSizeF& boxMm, double minimumPoints)
{
    const double smallest = std::min(font.pointSize, minimumPoints);
    TextFont tried = font;
    for (double size = font.pointSize;; size = std::max(smallest, size - 0.5)) {
        tried.pointSize = size;
        WrappedText wrapped = wrap(text, tried, boxMm.width(), TextFlow::Fit);
        if (wrapped.height() <= boxMm.height() + kTolerance || size <= smallest) {
            font = tried;
            return wrapped;
        }
    }
}

int TextLayout::shownLines(const WrappedText& text, double heightMm, bool grows)
{
    if (grows)
        return int(text.lines.size());
    return int(std::min<qsizetype>(text.lines.size(), linesFitting(heightMm, text.lineSpacing)));
}

int TextLayout::linesFitting(double heightMm, double lineSpacingMm)
{
    const int fit = lineSpacingMm > 0 ? int(std::floor((heightMm + kTolerance) / lineSpacingMm)) : 1;
    return std::max(1, fit);
}

QList<TextLine> TextLayout::place(const WrappedText& text, int count, const QSizeF& boxMm, Qt::Alignment alignment)
{
    QList<TextLine> lines;
    lines.reserve(count);
    double top = 0;
    const double used = count * text.lineSpacing;
    if (alignment & Qt::AlignBottom)
        top = std::max(0.0, boxMm.height() - used);
    else if (alignment & Qt::AlignVCenter)
        top = std::max(0.0, (boxMm.height() - used) / 2);
    for (int i = 0; i < count; ++i) {
        double x = 0;
        if (alignment & Qt::AlignRight)
            x = boxMm.width() - text.widths.at(i);
        else if (alignment & Qt::AlignHCenter)
            x = (boxMm.width() - text.widths.at(i)) / 2;
        lines.push_back({text.lines.at(i), QPointF(x, top + text.ascent + i * text.lineSpacing)});
    }
    return lines;
}

} // namespace report
