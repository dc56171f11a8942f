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

// The collation's first level for blanks, digits and unaccented letters:
// blank before digits before letters, letter case ignored; 0 for any other
// character.
int primaryWeight(char16_t c)
{
    if (c == u' ')
        return 1;
    if (c >= u'0' && c <= u'9')
        return 10 + (c - u'0');
    if (c >= u'a' && c <= u'z')
        return 100 + (c - u'a');
    if (c >= u'A' && c <= u'Z')
        return 100 + (c - u'A');
    return 0;
}

// Most names differ first at a plain letter, digit or blank, where the first
// level of the collation decides alone; the collator is asked only when the
// texts reach any other character, or are equal at that level (0).
int quickCompare(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int wa = primaryWeight(a[i].unicode());
        const int wb = primaryWeight(b[i].unicode());
        if (wa == 0 || wb == 0)
            return 0;
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    // One is the other's beginning at the first level: the shorter comes first.
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
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
        if (const int quick = quickCompare(sa, sb))
            return quick;
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
