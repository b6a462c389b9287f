#include "framework/ProfileFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char base[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, base);
        // One file per test: the system caches profile files by name, and a
        // deleted file's cached keys would leak into the next test.
        m_path = std::string(base) + "vantor-profile-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
        ::DeleteFileA(m_path.c_str());
    }
    void TearDown() override { ::DeleteFileA(m_path.c_str()); }
    void Write(const char* content) { std::ofstream(m_path, std::ios::binary) << content; }
    std::string m_path;
};

}  // namespace

TEST_F(ProfileFileTest, StringsAreCutToTheirLength) {
    Write("[ClientInfo]\r\nLocationServer=1234567890123\r\nVersion=2006.01.15\r\n");
    EXPECT_EQ("123456789", fw::ReadProfileString(m_path, "ClientInfo", "LocationServer", 9));
    EXPECT_EQ("2006.01.15", fw::ReadProfileString(m_path, "ClientInfo", "Version", 10)) << "exactly fits";
    EXPECT_EQ("2006.01.1", fw::ReadProfileString(m_path, "ClientInfo", "Version", 9));
}

TEST_F(ProfileFileTest, MissingKeysSectionsAndFilesGiveTheDefaults) {
    EXPECT_EQ("", fw::ReadProfileString(m_path, "ClientInfo", "Version", 255));
    EXPECT_EQ(443, fw::ReadProfileInt(m_path, "location1", "Port", 443));
    Write("[location1]\r\nID=7\r\n");
    EXPECT_EQ(7, fw::ReadProfileInt(m_path, "location1", "ID", 0));
    EXPECT_EQ(443, fw::ReadProfileInt(m_path, "location1", "Port", 443));
    EXPECT_EQ("", fw::ReadProfileString(m_path, "location2", "ID", 9));
}

TEST_F(ProfileFileTest, WriteCreatesTheFileAndReplacesAValue) {
    ASSERT_TRUE(fw::WriteProfileString(m_path, "ClientInfo", "Version", "2006.01.15"));
    EXPECT_EQ("2006.01.15", fw::ReadProfileString(m_path, "ClientInfo", "Version", 255));
    ASSERT_TRUE(fw::WriteProfileString(m_path, "ClientInfo", "Version", "2007.02.01"));
    EXPECT_EQ("2007.02.01", fw::ReadProfileString(m_path, "ClientInfo", "Version", 255));
    ASSERT_TRUE(fw::WriteProfileString(m_path, "ClientInfo", "IsSend", "1"));
    EXPECT_EQ(1, fw::ReadProfileInt(m_path, "ClientInfo", "IsSend", 0));
    EXPECT_EQ("2007.02.01", fw::ReadProfileString(m_path, "ClientInfo", "Version", 255)) << "other keys stay";
}

TEST_F(ProfileFileTest, WriteIntoAMissingFolderFails) {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    const std::string nowhere = std::string(base) + "vantor-no-such-folder\\ClientInfo.ini";
    EXPECT_FALSE(fw::WriteProfileString(nowhere, "ClientInfo", "Version", "1"));
}
