// Ages in whole 365-day years and 30-day months.

#include "store/agetext.h"
#include "store/tdm.h"

#include <gtest/gtest.h>

TEST(AgeText, CountsYearsOf365AndMonthsOf30Days)
{
    const struct {
        QDate start, end;
        const char16_t* dataModule;
        const char16_t* mainWindow;
    } cases[] = {
        {{2010, 3, 5}, {2011, 3, 5}, u"1 ano", u"1 ano"},
        {{2010, 3, 6}, {2011, 3, 5}, u"0 anos e 12 meses", u"0 anos e 12 mêses"},
        {{2000, 1, 1}, {2011, 1, 1}, u"11 anos", u"11 anos"},   // the leap days fall into the remainder
        {{2001, 3, 10}, {2011, 3, 7}, u"9 anos e 12 meses", u"9 anos e 12 mêses"},
        {{2001, 3, 10}, {2011, 3, 8}, u"10 anos", u"10 anos"},
        {{2005, 6, 10}, {2011, 3, 5}, u"5 anos e 8 meses", u"5 anos e 8 mêses"},
        {{2011, 1, 1}, {2011, 1, 31}, u"0 anos e 1 mês", u"0 anos e 1 mês"},
        {{2011, 1, 1}, {2011, 1, 30}, u"0 anos", u"0 anos"},
        {{2011, 1, 1}, {2011, 3, 2}, u"0 anos e 2 meses", u"0 anos e 2 mêses"},
        {{2011, 3, 5}, {2011, 3, 5}, u"0 anos", u"0 anos"},
        {{2011, 3, 2}, {2011, 1, 2}, u"0 anos", u"0 anos"},   // 59 days backwards
        {QDate(2011, 1, 1).addDays(425), {2011, 1, 1}, u"-1 anos", u"-1 anos"},   // no negative months
        {QDate(), {1900, 1, 29}, u"0 anos e 1 mês", u"0 anos e 1 mês"},   // no date is day 0, 30/12/1899
    };
    for (const auto& c : cases) {
        const std::string at =
            c.start.toString(Qt::ISODate).toStdString() + " .. " + c.end.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(Tdm::CalcIdade(c.start, c.end), QString::fromUtf16(c.dataModule)) << at;
        EXPECT_EQ(store::ageText(c.start, c.end, QStringLiteral(u" mêses")), QString::fromUtf16(c.mainWindow)) << at;
    }
}
