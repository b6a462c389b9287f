#include "logic/LauncherSettings.h"

#include <gtest/gtest.h>

TEST(LocationNeedsWrite, WritesWhenEmptyOrDifferentInAnyByte) {
    EXPECT_TRUE(vantor::LocationNeedsWrite("", "C:\\Vantor\\"));
    EXPECT_TRUE(vantor::LocationNeedsWrite("c:\\vantor\\", "C:\\Vantor\\")) << "letter case counts";
    EXPECT_TRUE(vantor::LocationNeedsWrite("C:\\Vantor", "C:\\Vantor\\"));
    EXPECT_FALSE(vantor::LocationNeedsWrite("C:\\Vantor\\", "C:\\Vantor\\"));
}

TEST(StatHostFromLocationServer, OneAndTwoChooseOtherTextsKeep) {
    EXPECT_EQ(0, vantor::StatHostFromLocationServer("1", 1));
    EXPECT_EQ(1, vantor::StatHostFromLocationServer("2", 0));
    EXPECT_EQ(0, vantor::StatHostFromLocationServer("3", 0));
    EXPECT_EQ(1, vantor::StatHostFromLocationServer("", 1));
    EXPECT_EQ(0, vantor::StatHostFromLocationServer(" 2", 0)) << "only the exact text counts";
}

TEST(VersionLabelText, PrefixesTheVersion) {
    EXPECT_EQ("\xb0\xe6\xb1\xbe\xba\xc5\xa3\xba" "1.2.3", vantor::VersionLabelText("1.2.3"));  // 版本号：1.2.3
    EXPECT_EQ("\xb0\xe6\xb1\xbe\xba\xc5\xa3\xba", vantor::VersionLabelText(""));
}
