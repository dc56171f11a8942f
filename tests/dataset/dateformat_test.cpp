// The day-count scale of dates and the program's date texts.

#include "dataset/dateformat.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

TEST(DateFormat, DayCountsReadBackAndNoNumberGivesNoDate)
{
    EXPECT_EQ(ds::daysToDate(0), QDate(1899, 12, 30));
    EXPECT_EQ(ds::daysToDate(40607.75), QDate(2011, 3, 5)); // the time of day is dropped
    EXPECT_EQ(ds::dateToDays(QDate(2011, 3, 5)), 40607.0);
    // Found by the date fuzzer: day counts out of every range used to be cast
    // to a whole number regardless, which is undefined.
    for (double days : {std::nan(""), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), 1e300, -1e19})
        EXPECT_FALSE(ds::daysToDate(days).isValid()) << days;
    EXPECT_EQ(ds::dateToText(ds::daysToDate(std::nan(""))), QString());
}

TEST(DateFormat, TextsReadInTheProgramFormatOnly)
{
    bool ok = false;
    EXPECT_EQ(ds::textToDate(QStringLiteral(" 15/03/2012 "), &ok), QDate(2012, 3, 15));
    EXPECT_TRUE(ok);
    for (const char* text : {"31/02/2012", "15/13/2012", "2012-03-15", "", "15/03/12x"}) {
        EXPECT_FALSE(ds::textToDate(QString::fromLatin1(text), &ok).isValid()) << text;
        EXPECT_FALSE(ok) << text;
    }
    EXPECT_EQ(ds::dateToText(QDate(2012, 3, 5)), QStringLiteral("05/03/2012"));
}
