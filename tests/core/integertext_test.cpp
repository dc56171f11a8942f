#include "core/integertext.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    std::optional<qint32> number;
};

const Case kCases[] = {
    {"42", 42},
    {"   42", 42},
    {"+42", 42},
    {"-42", -42},
    {"007", 7},
    {"$2A", 42},
    {"x2a", 42},
    {"X2A", 42},
    {"0x2A", 42},
    {"0X2a", 42},
    {"-$10", -16},
    {"2147483647", 2147483647},
    {"-2147483648", std::numeric_limits<qint32>::min()},
    {"$7FFFFFFF", 2147483647},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"$80000000", std::nullopt},
    {"99999999999999999999999", std::nullopt},
    {"", std::nullopt},
    {"   ", std::nullopt},
    {"-", std::nullopt},
    {"$", std::nullopt},
    {"0x", std::nullopt},
    {"42 ", std::nullopt},
    {"42/09", std::nullopt},
    {"4 2", std::nullopt},
    {"2A", std::nullopt},
    {"--1", std::nullopt},
    {"Maria", std::nullopt},
    {"\xd9\xa3", std::nullopt},   // an Arabic-Indic digit is no digit here
};

} // namespace

TEST(IntegerTextTest, ReadsWholeDecimalAndHexadecimalNumbersWithinRange)
{
    for (const Case& c : kCases)
        EXPECT_EQ(integerFromText(QString::fromUtf8(c.text)), c.number) << c.text;
}
