#include "reportengine/rowcondition.h"

#include "core/eerror.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace report {

RowCondition RowCondition::parse(const QString& text)
{
    static const QRegularExpression form(QStringLiteral(R"(^\s*<Line>\s+mod\s+(\d+)\s*=\s*(\d+)\s*$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto match = form.match(text);
    const int modulus = match.hasMatch() ? match.captured(1).toInt() : 0;
    if (modulus <= 0)
        throw EError(QCoreApplication::translate("report", "Unsupported condition: %1").arg(text));
    RowCondition condition;
    condition.m_modulus = modulus;
    condition.m_remainder = match.captured(2).toInt();
    condition.m_text = text;
    return condition;
}

} // namespace report
