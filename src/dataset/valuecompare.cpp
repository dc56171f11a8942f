#include "dataset/valuecompare.h"
#include "core/timeofday.h"

#include <QCollator>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

namespace ds {

namespace {
const QCollator& collator()
{
    static const QCollator c = [] {
        QCollator x(QLocale(QLocale::Portuguese, QLocale::Brazil));
        x.setCaseSensitivity(Qt::CaseInsensitive);
        return x;
    }();
    return c;
}

TimeOfDay timeOf(const QVariant& v)
{
    return v.metaType() == QMetaType::fromType<TimeOfDay>() ? v.value<TimeOfDay>() : TimeOfDay(v.toTime());
}

template <typename T>
int cmp(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}
} // namespace

int compareValues(FieldType type, const QVariant& a, const QVariant& b)
{
    const bool na = !a.isValid() || a.isNull();
    const bool nb = !b.isValid() || b.isNull();
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    switch (type) {
    case FieldType::Integer:
        return cmp(a.toLongLong(), b.toLongLong());
    case FieldType::Float:
        return cmp(a.toDouble(), b.toDouble());
    case FieldType::Date:
        return cmp(a.toDate(), b.toDate());
    case FieldType::Time:
        return cmp(timeOf(a), timeOf(b));
    case FieldType::DateTime:
        return cmp(a.toDateTime(), b.toDateTime());
    case FieldType::Text:
    case FieldType::Memo: {
        const QString sa = a.toString();
        const QString sb = b.toString();
        const int c = collator().compare(sa, sb);
        return c != 0 ? c : cmp(sa, sb);
    }
    }
    return 0;
}

bool sameValue(FieldType type, const QVariant& a, const QVariant& b)
{
    const bool na = !a.isValid() || a.isNull();
    const bool nb = !b.isValid() || b.isNull();
    if (na || nb)
        return na == nb;
    switch (type) {
    case FieldType::Text:
    case FieldType::Memo:
        return a.toString() == b.toString();
    default:
        return compareValues(type, a, b) == 0;
    }
}

} // namespace ds
