#pragma once
// A time of day to the ten-thousandth of a second, the database's own
// precision. QTime stops at the millisecond, so a time written by another
// tool would come back cut and no longer find its row; times travel as this
// type from the database to the data sets and back.
//
// Values in a QVariant are made by toVariant(), which also teaches Qt to
// convert them: QVariant::toTime() and toString() work on them as on a QTime.

#include <QMetaType>
#include <QString>
#include <QTime>
#include <QVariant>
#include <compare>

class TimeOfDay {
public:
    static constexpr quint32 kTicksPerSecond = 10000;
    static constexpr quint32 kTicksPerMs = kTicksPerSecond / 1000;
    static constexpr quint32 kTicksPerDay = 86400 * kTicksPerSecond;

    constexpr TimeOfDay() = default;   // no time
    explicit TimeOfDay(const QTime& time)
        : m_ticks(time.isValid() ? quint32(time.msecsSinceStartOfDay()) * kTicksPerMs : kInvalid)
    {
    }
    static constexpr TimeOfDay fromTicks(quint32 ticks)
    {
        TimeOfDay t;
        t.m_ticks = ticks < kTicksPerDay ? ticks : kInvalid;
        return t;
    }

    constexpr bool isValid() const { return m_ticks != kInvalid; }
    constexpr quint32 ticks() const { return m_ticks; }
    // To the millisecond, the rest dropped.
    QTime toTime() const
    {
        return isValid() ? QTime::fromMSecsSinceStartOfDay(int(m_ticks / kTicksPerMs)) : QTime();
    }
    QString toString() const { return toTime().toString(QStringLiteral("hh:mm:ss")); }

    constexpr auto operator<=>(const TimeOfDay&) const = default;

    QVariant toVariant() const
    {
        registerConversions();
        return QVariant::fromValue(*this);
    }

    static void registerConversions()
    {
        static const bool registered = [] {
            QMetaType::registerConverter<TimeOfDay, QTime>(&TimeOfDay::toTime);
            QMetaType::registerConverter<TimeOfDay, QString>(&TimeOfDay::toString);
            return true;
        }();
        Q_UNUSED(registered);
    }

private:
    static constexpr quint32 kInvalid = 0xFFFFFFFFu;
    quint32 m_ticks = kInvalid;
};

Q_DECLARE_METATYPE(TimeOfDay)
