#include "store/agetext.h"
#include "dataset/dateformat.h"

namespace store {

QString ageText(const QDate& start, const QDate& end, const QString& pluralMonths)
{
    const qint32 days = qint32(ds::dateToDays(end)) - qint32(ds::dateToDays(start));
    // C++ division truncates toward zero and the remainder keeps the sign of days.
    const qint32 years = days / 365;
    const qint32 months = days % 365 / 30;
    QString text = years == 1 ? QStringLiteral("1 ano") : QString::number(years) + QStringLiteral(" anos");
    if (months == 1)
        text += QStringLiteral(u" e 1 mês");
    else if (months > 1)
        text += QStringLiteral(" e ") + QString::number(months) + pluralMonths;
    return text;
}

} // namespace store
