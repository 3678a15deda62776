#include "core/Numbers.h"
#include "core/RunTimeError.h"

#include <gtest/gtest.h>

TEST(LeadingNumber, ReadsTheLeadingNumberOfAText)
{
    const std::pair<const char*, double> cases[] = {
        {"12abc", 12}, {"  -7 'Sound on/off", -7}, {"1.2.3", 1.2}, {"+4", 4}, {".5", 0.5},
        // blanks, tabs and line feeds are skipped anywhere; a carriage return is not
        {"1 2\t3\n4", 1234}, {" - 5", -5}, {"\r5", 0},
        {"", 0}, {"abc", 0}, {"-", 0}, {".", 0}, {"'''", 0},
        {"1E3", 1000}, {"25d-1", 2.5}, {"3e", 3}, {"1e999", std::numeric_limits<double>::infinity()},
        {"&H1F", 31}, {"&hff zz", 255}, {"&O17", 15}, {"&O8", 0}, {"&H10000", 65536},
        {"&HFFFF", -1},  // 16-bit patterns are signed
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(leadingNumber(text), value) << '"' << text << '"';
}

TEST(Int16Conversion, RoundsHalvesToEvenAndRefusesOverflow)
{
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_THROW(toInt16(32767.5), RunTimeError);
    EXPECT_THROW(toInt16(-32769), RunTimeError);
    EXPECT_THROW(toInt16(std::numeric_limits<double>::infinity()), RunTimeError);
    EXPECT_THROW(toInt32(2147483648.0), RunTimeError);
    EXPECT_EQ(toInt32(-2147483648.0), INT32_MIN);
}

TEST(NumberText, HasALeadingBlankForZeroAndAbove)
{
    EXPECT_EQ(numberText(18), " 18");
    EXPECT_EQ(numberText(0), " 0");
    EXPECT_EQ(numberText(-3), "-3");
}
