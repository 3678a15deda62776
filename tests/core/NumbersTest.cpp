#include "Numbers.h"
#include "RunTimeError.h"

#include <gtest/gtest.h>

TEST(LeadingNumber, ReadsTheStartOfATextAndStopsAtTheFirstOtherCharacter)
{
    EXPECT_EQ(leadingNumber("12abc"), 12);
    EXPECT_EQ(leadingNumber("  -7 'Sound on/off"), -7);
    EXPECT_EQ(leadingNumber("2.5"), 2.5);
    EXPECT_EQ(leadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(leadingNumber("+4"), 4);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
}

TEST(LeadingNumber, SkipsBlanksTabsAndLineFeedsAnywhere)
{
    EXPECT_EQ(leadingNumber("1 2\t3\n4"), 1234);
    EXPECT_EQ(leadingNumber(" - 5"), -5);
    EXPECT_EQ(leadingNumber("\r5"), 0) << "a carriage return is not skipped";
}

TEST(LeadingNumber, EmptyOrNonNumericTextIsZero)
{
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber("-"), 0);
    EXPECT_EQ(leadingNumber("."), 0);
    EXPECT_EQ(leadingNumber("'''"), 0);
}

TEST(LeadingNumber, ReadsExponentsWithEOrD)
{
    EXPECT_EQ(leadingNumber("1E3"), 1000);
    EXPECT_EQ(leadingNumber("25d-1"), 2.5);
    EXPECT_EQ(leadingNumber("3e"), 3);
    EXPECT_EQ(leadingNumber("1e999"), std::numeric_limits<double>::infinity());
}

TEST(LeadingNumber, ReadsHexadecimalAndOctalPrefixes)
{
    EXPECT_EQ(leadingNumber("&H1F"), 31);
    EXPECT_EQ(leadingNumber("&hff zz"), 255);
    EXPECT_EQ(leadingNumber("&O17"), 15);
    EXPECT_EQ(leadingNumber("&O8"), 0);
    EXPECT_EQ(leadingNumber("&HFFFF"), -1) << "16-bit patterns are signed";
    EXPECT_EQ(leadingNumber("&H10000"), 65536);
}

TEST(Int16Conversion, RoundsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(25.4), 25);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
}

TEST(Int16Conversion, OutOfRangeIsAnOverflowError)
{
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
