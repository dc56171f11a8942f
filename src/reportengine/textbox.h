#pragma once
// A box of text. Its text may hold expressions in brackets: a column of a
// named data set ([frxFicha."NOME"]), the current date ([Date], [(<Date>)])
// and the row number ([<Line>]).

#include "reportengine/displayformat.h"
#include "reportengine/textfont.h"
#include "reportengine/reportobject.h"

#include <optional>

namespace report {

enum class TextFlow {
    Wrap,   // words wrap inside the width; the box shows the lines its height holds
    Grow,   // words wrap and the box grows downwards until the whole text shows
    NoWrap, // one line per paragraph, never wrapped, cut at the right edge
    Fit,    // words wrap; a text the box cannot hold is printed smaller, down
            // to the box's smallest size, and below that the box grows
};

class TextBox : public ReportObject {
public:
    TextBox(QString name, const QRectF& rectMm, QString text);

    const QString& text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    // Unset, the page's default font applies.
    const std::optional<TextFont>& font() const { return m_font; }
    TextBox& setFont(const TextFont& font);

    Qt::Alignment alignment() const { return m_alignment; }
    TextBox& setAlignment(Qt::Alignment alignment);

    TextFlow flow() const { return m_flow; }
    TextBox& setFlow(TextFlow flow);

    // The smallest size, in points, to which a fitting text shrinks.
    double minimumPointSize() const { return m_minimumPointSize; }
    TextBox& setMinimumPointSize(double points);

    const DisplayFormat& displayFormat() const { return m_format; }
    TextBox& setDisplayFormat(const DisplayFormat& format);

    // Off, brackets print as they stand.
    bool allowsExpressions() const { return m_expressions; }
    TextBox& setAllowExpressions(bool on);

private:
    QString m_text;
    std::optional<TextFont> m_font;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
    TextFlow m_flow = TextFlow::Wrap;
    double m_minimumPointSize = 7;
    DisplayFormat m_format;
    bool m_expressions = true;
};

} // namespace report
