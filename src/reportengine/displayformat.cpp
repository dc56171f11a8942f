#include "reportengine/displayformat.h"

#include "core/timeofday.h"
#include "dataset/editmask.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace report {

namespace {

const char16_t* const kMonths[] = {u"janeiro", u"fevereiro", u"março", u"abril", u"maio", u"junho",
                                   u"julho", u"agosto", u"setembro", u"outubro", u"novembro", u"dezembro"};
const char16_t* const kShortMonths[] = {u"jan", u"fev", u"mar", u"abr", u"mai", u"jun",
                                        u"jul", u"ago", u"set", u"out", u"nov", u"dez"};
// Monday first, as QDate::dayOfWeek counts.
const char16_t* const kDays[] = {u"segunda-feira", u"terça-feira", u"quarta-feira", u"quinta-feira",
                                 u"sexta-feira", u"sábado", u"domingo"};
const char16_t* const kShortDays[] = {u"seg", u"ter", u"qua", u"qui", u"sex", u"sáb", u"dom"};

QString twoDigits(int n) { return QString::number(n).rightJustified(2, u'0'); }

int runLength(const QString& s, qsizetype at)
{
    const QChar c = s.at(at).toLower();
    int n = 0;
    while (at + n < s.size() && s.at(at + n).toLower() == c)
        ++n;
    return n;
}

} // namespace

DisplayFormat DisplayFormat::date(QString picture) { return {Kind::Date, std::move(picture)}; }
DisplayFormat DisplayFormat::number(QString picture) { return {Kind::Number, std::move(picture)}; }
DisplayFormat DisplayFormat::mask(QString mask) { return {Kind::Mask, std::move(mask)}; }

QString DisplayFormat::apply(const QVariant& value, const QString& fallback) const
{
    if (m_kind == Kind::None || !value.isValid() || value.isNull())
        return fallback;
    switch (m_kind) {
    case Kind::Date:
        if (value.metaType() == QMetaType::fromType<TimeOfDay>())
            return formatDatePicture(m_picture, {}, value.toTime());
        switch (value.typeId()) {
        case QMetaType::QDate: return formatDatePicture(m_picture, value.toDate());
        case QMetaType::QDateTime: return formatDatePicture(m_picture, value.toDate(), value.toTime());
        case QMetaType::QTime: return formatDatePicture(m_picture, {}, value.toTime());
        default: return fallback;
        }
    case Kind::Number: {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return {};
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok);
        return ok ? formatNumberPicture(m_picture, number) : fallback;
    }
    case Kind::Mask: {
        const QString text = value.toString();
        return text.isEmpty() ? QString() : ds::EditMask(m_picture).format(text);
    }
    case Kind::None: break;
    }
    return fallback;
}

QString formatDatePicture(const QString& picture, const QDate& date, const QTime& time)
{
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture.at(i);
        if (c == u'"' || c == u'\'') {
            const qsizetype end = picture.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? picture.size() : end;
            out += picture.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        const int n = runLength(picture, i);
        switch (c.toLower().unicode()) {
        case u'd':
            if (n == 1) out += QString::number(date.day());
            else if (n == 2) out += twoDigits(date.day());
            else if (date.isValid())
                out += QString::fromUtf16((n == 3 ? kShortDays : kDays)[date.dayOfWeek() - 1]);
            afterHour = false;
            break;
        case u'm':
            if (afterHour && n <= 2) {
                out += n == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
            } else if (n == 1) out += QString::number(date.month());
            else if (n == 2) out += twoDigits(date.month());
            else if (date.isValid())
                out += QString::fromUtf16((n == 3 ? kShortMonths : kMonths)[date.month() - 1]);
            afterHour = false;
            break;
        case u'y':
            out += n <= 2 ? twoDigits(date.year() % 100) : QString::number(date.year()).rightJustified(4, u'0');
            afterHour = false;
            break;
        case u'h':
            out += n == 1 ? QString::number(time.hour()) : twoDigits(time.hour());
            afterHour = true;
            break;
        case u'n':
            out += n == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
            afterHour = false;
            break;
        case u's':
            out += n == 1 ? QString::number(time.second()) : twoDigits(time.second());
            afterHour = false;
            break;
        default:
            out += picture.mid(i, n);
            // A separator between hour and minutes keeps "hh:mm" meaning minutes.
            if (c != u':')
                afterHour = false;
            break;
        }
        i += n;
    }
    return out;
}

QString formatNumberPicture(const QString& picture, qlonglong number)
{
    // The magnitude as unsigned: the smallest number has no positive twin.
    const QString digits = QString::number(number < 0 ? 0 - quint64(number) : quint64(number));
    qsizetype firstPlace = -1;
    for (qsizetype i = 0; i < picture.size() && firstPlace < 0; ++i)
        if (picture.at(i) == u'#' || picture.at(i) == u'0')
            firstPlace = i;

    QString out;
    qsizetype left = digits.size(); // digits not yet placed, taken from the right
    for (qsizetype i = picture.size() - 1; i >= 0; --i) {
        const QChar c = picture.at(i);
        if (c != u'#' && c != u'0') {
            out.prepend(c);
            continue;
        }
        if (i == firstPlace) {
            if (left > 0)
                out.prepend(digits.left(left));
            else if (c == u'0')
                out.prepend(u'0');
            left = 0;
        } else if (left > 0) {
            out.prepend(digits.at(--left));
        } else if (c == u'0') {
            out.prepend(u'0');
        }
    }
    if (firstPlace < 0)
        out += digits;
    return number < 0 ? u'-' + out : out;
}

} // namespace report
