#include "logic/LauncherSettings.h"

#include <gtest/gtest.h>

using vantor::FolderOfModulePath;

TEST(FolderOfModulePath, KeepsTheLastBackslash) {
    EXPECT_EQ("C:\\Games\\Vantor\\", FolderOfModulePath("C:\\Games\\Vantor\\VantorLogin.exe"));
    EXPECT_EQ("Z:\\", FolderOfModulePath("Z:\\VantorLogin.exe"));
}

TEST(FolderOfModulePath, IsEmptyWithoutABackslash) {
    EXPECT_EQ("", FolderOfModulePath("VantorLogin.exe"));
    EXPECT_EQ("", FolderOfModulePath(""));
}

TEST(FolderOfModulePath, TakesNoGbkTrailByteForASeparator) {
    // "C:\游戏\登录器.exe" where 器 (0xC6 0x5C) has a backslash as its trail byte.
    const std::string folder = "C:\\\xd3\xce\xcf\xb7\\";
    EXPECT_EQ(folder, FolderOfModulePath(folder + "\xb5\xc7\xc2\xbc\xc6\x5c.exe"));
    // A folder name ending in such a character keeps it whole.
    EXPECT_EQ("C:\\\xc6\x5c\\", FolderOfModulePath("C:\\\xc6\x5c\\a.exe"));
}

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
