#include "dataset/dateformat.h"

#include <cmath>

namespace ds {

namespace {
QString& formatStorage()
{
    static QString format = QStringLiteral("dd/MM/yyyy");
    return format;
}
const QDate kDayZero(1899, 12, 30);
constexpr double kMaxDays = 1e9;
} // namespace

QString shortDateFormat() { return formatStorage(); }

void setShortDateFormat(const QString& format) { formatStorage() = format; }

QString dateToText(const QDate& date) { return date.isValid() ? date.toString(formatStorage()) : QString(); }

QDate textToDate(const QString& text, bool* ok)
{
    const QDate date = QDate::fromString(text.trimmed(), formatStorage());
    if (ok)
        *ok = date.isValid();
    return date;
}

double dateToDays(const QDate& date) { return date.isValid() ? double(kDayZero.daysTo(date)) : 0.0; }

QDate daysToDate(double days)
{
    // Beyond a few million years lies no date anyone writes; and a day count
    // that is no number has no date at all.
    if (!std::isfinite(days) || std::fabs(days) > kMaxDays)
        return {};
    return kDayZero.addDays(qint64(days));
}

} // namespace ds
