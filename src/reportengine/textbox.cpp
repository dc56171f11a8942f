#include "reportengine/textbox.h"

namespace report {

TextBox::TextBox(QString name, const QRectF& rectMm, QString text)
    : ReportObject(Kind::Text, std::move(name), rectMm), m_text(std::move(text))
{
}

TextBox& TextBox::setFont(const TextFont& font)
{
    m_font = font;
    return *this;
}

TextBox& TextBox::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    return *this;
}

TextBox& TextBox::setFlow(TextFlow flow)
{
    m_flow = flow;
    return *this;
}

TextBox& TextBox::setMinimumPointSize(double points)
{
    m_minimumPointSize = points;
    return *this;
}

TextBox& TextBox::setDisplayFormat(const DisplayFormat& format)
{
    m_format = format;
    return *this;
}

TextBox& TextBox::setAllowExpressions(bool on)
{
    m_expressions = on;
    return *this;
}

} // namespace report
