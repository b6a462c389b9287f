#include "text/DecimalText.h"

#include <gtest/gtest.h>

#include <climits>

using vantor::DecimalPrefixValue;
using vantor::ReadDecimalPrefix;

TEST(DecimalPrefixValue, ReadsLikeTheRuntimeConversion) {
    EXPECT_EQ(2, DecimalPrefixValue("2"));
    EXPECT_EQ(12, DecimalPrefixValue("  12abc"));
    EXPECT_EQ(-4, DecimalPrefixValue("-4"));
    EXPECT_EQ(7, DecimalPrefixValue("\v\f\r\n\t+7"));
    EXPECT_EQ(0, DecimalPrefixValue("abc"));
    EXPECT_EQ(0, DecimalPrefixValue(""));
    EXPECT_EQ(0, DecimalPrefixValue("- 1"));
}

TEST(DecimalPrefixValue, StopsAtTheLimitsOf32Bits) {
    EXPECT_EQ(INT_MAX, DecimalPrefixValue("2147483647"));
    EXPECT_EQ(INT_MAX, DecimalPrefixValue("2147483648"));
    EXPECT_EQ(INT_MIN, DecimalPrefixValue("-2147483648"));
    EXPECT_EQ(INT_MIN, DecimalPrefixValue("-2147483649"));
    EXPECT_EQ(INT_MAX, DecimalPrefixValue("99999999999999999999"));
    EXPECT_EQ(INT_MIN, DecimalPrefixValue("-99999999999999999999"));
}

TEST(ReadDecimalPrefix, TellsWhetherADigitWasRead) {
    int value = 5;
    EXPECT_TRUE(ReadDecimalPrefix(" -0,x", value));
    EXPECT_EQ(0, value);
    EXPECT_TRUE(ReadDecimalPrefix("1abc", value));
    EXPECT_EQ(1, value);
    for (const char* none : {"", "  ", "+", "-", "x1", "- 1", ",1"}) {
        value = 5;
        EXPECT_FALSE(ReadDecimalPrefix(none, value)) << '"' << none << '"';
        EXPECT_EQ(0, value) << '"' << none << '"';
    }
}
