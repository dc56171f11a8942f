#include "dataset/dateformat.h"

#include <QStringList>
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

// The order of day (d), month (M) and year (y) in a format, and the
// character between them; empty when the format is not of that kind.
struct Layout {
    QString order;
    QChar separator;
};

Layout layoutOf(const QString& format)
{
    Layout layout;
    for (QChar c : format) {
        if (c == u'd' || c == u'M' || c == u'y') {
            if (!layout.order.endsWith(c))
                layout.order += c;
        } else if (layout.separator.isNull()) {
            layout.separator = c;
        } else if (c != layout.separator) {
            return {};
        }
    }
    if (layout.order.size() != 3 || layout.separator.isNull())
        return {};
    return layout;
}

// The number of a part of one to maxDigits digits, -1 otherwise.
int digitsValue(const QString& part, int minDigits, int maxDigits)
{
    if (part.size() < minDigits || part.size() > maxDigits)
        return -1;
    int value = 0;
    for (QChar c : part) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}
} // namespace

QString shortDateFormat() { return formatStorage(); }

void setShortDateFormat(const QString& format) { formatStorage() = format; }

QString dateToText(const QDate& date) { return date.isValid() ? date.toString(formatStorage()) : QString(); }

QDate textToDate(const QString& text, bool* ok, int centuryWindow)
{
    const Layout layout = layoutOf(formatStorage());
    QDate date;
    const QStringList parts = text.trimmed().split(layout.separator);
    if (layout.order.isEmpty()) {
        date = QDate::fromString(text.trimmed(), formatStorage());
    } else if (parts.size() == 3) {
        int day = -1, month = -1, year = -1;
        for (int i = 0; i < 3; ++i) {
            const QString part = parts[i].trimmed();
            switch (layout.order[i].unicode()) {
            case u'd': day = digitsValue(part, 1, 2); break;
            case u'M': month = digitsValue(part, 1, 2); break;
            default:
                if (part.size() == 2) {
                    const int yy = digitsValue(part, 2, 2);
                    year = yy < 0 ? -1 : yy > centuryWindow ? 1900 + yy : 2000 + yy;
                } else {
                    year = digitsValue(part, 4, 4);
                }
            }
        }
        if (day > 0 && month > 0 && year > 0)
            date = QDate(year, month, day);
    }
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
