// The report engine's pictures: any date picture over any date and time, any
// number picture over any 64-bit number, and any format applied to values of
// every kind, never crash and never read outside their texts.

#include "fuzzsupport.h"
#include "reportengine/displayformat.h"

#include <QDateTime>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes bytes(data, size);
    const qint64 julian = qint64(bytes.int32()) * (bytes.pick(2) ? 1 : 1000);
    const QDate date = bytes.pick(8) == 0 ? QDate() : QDate::fromJulianDay(julian);
    const QTime time = bytes.pick(8) == 0 ? QTime() : QTime::fromMSecsSinceStartOfDay(bytes.int32() % 86400000);
    const qlonglong number = qlonglong(quint64(quint32(bytes.int32())) << 32 | quint32(bytes.int32()));
    const QString picture = bytes.text();

    (void)report::formatDatePicture(picture, date, time);
    (void)report::formatNumberPicture(picture, number);

    const QVariant values[] = {QVariant(), QVariant(date), QVariant(QDateTime(date, time)), QVariant(time),
                               QVariant(number), QVariant(bytes.text()), QVariant(bytes.float64())};
    const report::DisplayFormat formats[] = {report::DisplayFormat::date(picture),
                                             report::DisplayFormat::number(picture),
                                             report::DisplayFormat::mask(picture), report::DisplayFormat()};
    for (const report::DisplayFormat& format : formats)
        for (const QVariant& value : values)
            (void)format.apply(value, QStringLiteral("fallback"));
    return 0;
}
