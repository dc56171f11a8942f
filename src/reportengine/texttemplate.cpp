#include "reportengine/texttemplate.h"

#include "core/eerror.h"
#include "dataset/dateformat.h"
#include "reportengine/datasource.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace report {

namespace {

// Calls visit(expression) for each [..] part and literal(text) for the text between them.
template <class Literal, class Visit> void scan(const QString& text, Literal literal, Visit visit)
{
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf(u'[', at);
        if (open < 0)
            break;
        int depth = 0;
        qsizetype close = -1;
        for (qsizetype i = open; i < text.size() && close < 0; ++i) {
            if (text.at(i) == u'[')
                ++depth;
            else if (text.at(i) == u']' && --depth == 0)
                close = i;
        }
        if (close < 0)
            break; // an unclosed bracket prints as it stands
        if (open > at)
            literal(text.mid(at, open - at));
        visit(text.mid(open + 1, close - open - 1));
        at = close + 1;
    }
    if (at < text.size())
        literal(text.mid(at));
}

// "(<Date>)" -> "Date", "<frxFicha."NOME">" -> frxFicha."NOME"
QString bare(QString expression)
{
    for (;;) {
        expression = expression.trimmed();
        if (expression.size() >= 2
            && ((expression.front() == u'(' && expression.back() == u')')
                || (expression.front() == u'<' && expression.back() == u'>')))
            expression = expression.mid(1, expression.size() - 2);
        else
            return expression;
    }
}

const QRegularExpression& columnForm()
{
    static const QRegularExpression form(QStringLiteral(R"re(^(\w+)\s*\.\s*"([^"]+)"$)re"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    return form;
}

} // namespace

QStringList TextTemplate::dataSetsOf(const QString& text)
{
    QStringList names;
    scan(text, [](const QString&) {}, [&](const QString& expression) {
        const auto match = columnForm().match(bare(expression));
        if (match.hasMatch() && !names.contains(match.captured(1), Qt::CaseInsensitive))
            names << match.captured(1);
    });
    return names;
}

TextTemplate TextTemplate::literal(const QString& text)
{
    TextTemplate result;
    result.m_segments.push_back({Segment::Kind::Literal, text});
    return result;
}

TextTemplate TextTemplate::compile(const QString& text, const std::function<DataSource*(const QString&)>& sources)
{
    TextTemplate result;
    auto literal = [&](const QString& part) { result.m_segments.push_back({Segment::Kind::Literal, part}); };
    scan(text, literal, [&](const QString& expression) {
        const QString name = bare(expression);
        Segment segment;
        if (name.compare(u"Date", Qt::CaseInsensitive) == 0) {
            segment.kind = Segment::Kind::Date;
        } else if (name.compare(u"Time", Qt::CaseInsensitive) == 0) {
            segment.kind = Segment::Kind::Time;
        } else if (name.compare(u"Line", Qt::CaseInsensitive) == 0) {
            segment.kind = Segment::Kind::Line;
        } else if (const auto match = columnForm().match(name); match.hasMatch()) {
            segment.kind = Segment::Kind::Column;
            segment.source = sources(match.captured(1));
            if (!segment.source)
                throw EError(QCoreApplication::translate("report", "Unknown data set %1 in [%2].").arg(match.captured(1), expression));
            segment.column = segment.source->columnIndex(match.captured(2));
            if (segment.column < 0)
                throw EError(QCoreApplication::translate("report", "Unknown column %1 in [%2].").arg(match.captured(2), expression));
        } else {
            throw EError(QCoreApplication::translate("report", "Unknown expression [%1].").arg(expression));
        }
        result.m_constant = false;
        result.m_segments.push_back(segment);
    });
    return result;
}

QString TextTemplate::evaluate(const TemplateContext& context, const DisplayFormat& format) const
{
    if (m_segments.size() == 1 && m_segments.front().kind == Segment::Kind::Literal)
        return m_segments.front().text;
    QString out;
    for (const Segment& segment : m_segments) {
        switch (segment.kind) {
        case Segment::Kind::Literal: out += segment.text; break;
        case Segment::Kind::Column:
            out += format.kind() == DisplayFormat::Kind::None
                       ? segment.source->displayText(segment.column)
                       : format.apply(segment.source->value(segment.column), segment.source->displayText(segment.column));
            break;
        case Segment::Kind::Date: out += format.apply(context.today, ds::dateToText(context.today)); break;
        case Segment::Kind::Time: out += format.apply(context.now, context.now.toString(u"hh:mm:ss")); break;
        case Segment::Kind::Line: out += format.apply(context.line, QString::number(context.line)); break;
        }
    }
    return out;
}

} // namespace report
