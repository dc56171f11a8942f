// Date and numeric pictures and entry masks of text boxes.

#include "reportengine/displayformat.h"

#include <gtest/gtest.h>

using report::DisplayFormat;

TEST(Pictures, NumericPictureFillsDigitsFromTheRight)
{
    const QString phone = QStringLiteral("(##) ####-####");
    const struct {
        const char* stored;
        const char* printed;
    } cases[] = {
        {"1134567890", "(11) 3456-7890"},
        {"34567890", "() 3456-7890"},       // eight digits leave the parentheses empty
        {"551134567890", "(5511) 3456-7890"}, // extra digits go into the first group
        {"01134567890", "(11) 3456-7890"},  // read as a number: the leading zero goes
        {"4567", "() -4567"},
        {"", ""},                            // an empty phone prints nothing
        {"11 3456", "11 3456"},              // no number: printed as stored
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayFormat::number(phone).apply(QString::fromLatin1(c.stored), QString::fromLatin1(c.stored)),
                  QString::fromLatin1(c.printed))
            << c.stored;
    EXPECT_EQ(report::formatNumberPicture(QStringLiteral("000"), 7), QStringLiteral("007"));
    // Found by the pictures fuzzer: the smallest 64-bit number has no
    // positive twin, and negating it was undefined.
    EXPECT_EQ(DisplayFormat::number(QStringLiteral("#")).apply(QStringLiteral("-9223372036854775808"), QString()),
              QStringLiteral("-9223372036854775808"));
    EXPECT_EQ(report::formatNumberPicture(QStringLiteral("(##) ####-####"), -1123456789),
              QStringLiteral("-(11) 2345-6789"));
}

TEST(Pictures, DatePictureNamesMonthsAndDaysInPortuguese)
{
    const QDate march5(2011, 3, 5); // a Saturday
    const struct {
        const char* picture;
        QDate date;
        QTime time;
        const char* printed;
    } cases[] = {
        {R"(dd "de" mmmm "de" yyyy)", march5, {}, "05 de março de 2011"},
        {R"(d 'de' mmmm)", QDate(2010, 12, 25), {}, "25 de dezembro"},
        {"dddd, d/m/yy", march5, {}, "sábado, 5/3/11"},
        {"ddd dd/mmm", QDate(2011, 2, 7), {}, "seg 07/fev"},
        {"hh:nn", {}, QTime(9, 5), "09:05"},
        {"hh:mm", {}, QTime(9, 5), "09:05"}, // m after an hour means minutes
        {"dd/mm/yyyy hh:nn:ss", march5, QTime(14, 30, 15), "05/03/2011 14:30:15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(report::formatDatePicture(QString::fromLatin1(c.picture), c.date, c.time), QString::fromUtf8(c.printed))
            << c.picture;
}

TEST(Pictures, FormatsFallBackWhereTheValueDoesNotSuit)
{
    const DisplayFormat date = DisplayFormat::date(QStringLiteral("mmmm"));
    EXPECT_EQ(date.apply(QDate(2011, 4, 1), QString()), QStringLiteral("abril"));
    EXPECT_EQ(date.apply(QStringLiteral("texto"), QStringLiteral("texto")), QStringLiteral("texto"));
    EXPECT_EQ(date.apply(QVariant(), QString()), QString()); // null: nothing
    const DisplayFormat mask = DisplayFormat::mask(QStringLiteral(R"(!\(99\) 0009-0000;0; )"));
    EXPECT_EQ(mask.apply(QStringLiteral("1134567890"), {}), QStringLiteral("(11) 3456-7890"));
    EXPECT_EQ(mask.apply(QString(), {}), QString());
}
