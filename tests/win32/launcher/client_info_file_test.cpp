#include "ClientConfig.h"
#include "Deployment.h"
#include "framework/ProfileFile.h"
#include "logic/ClientInfoDefaults.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string TempFolder() {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "vantor-clientinfo-test\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ClientInfoFileTest : public ::testing::Test {
protected:
    void SetUp() override { ::DeleteFileA(m_path.c_str()); }
    void TearDown() override { ::DeleteFileA(m_path.c_str()); }
    std::string m_path = TempFolder() + "ClientInfo.ini";
};

}  // namespace

TEST_F(ClientInfoFileTest, MissingFileGetsTheDefaultContent) {
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), EnsureClientInfoFile(m_path));
    EXPECT_EQ(vantor::DefaultClientInfoContent({VANTOR_LOGIN_HOST_1, VANTOR_LOGIN_HOST_2, VANTOR_LOGIN_HOST_3}),
              ReadAll(m_path));
}

TEST_F(ClientInfoFileTest, ExistingFileIsLeftAsItIs) {
    { std::ofstream(m_path, std::ios::binary) << "[ClientInfo]\r\nVersion=9\r\n"; }
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), EnsureClientInfoFile(m_path));
    EXPECT_EQ("[ClientInfo]\r\nVersion=9\r\n", ReadAll(m_path));
}

TEST_F(ClientInfoFileTest, UncreatableFileReportsTheSystemError) {
    std::string nowhere = TempFolder() + "no-such-folder\\ClientInfo.ini";
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), EnsureClientInfoFile(nowhere));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(nowhere.c_str()));
}

TEST_F(ClientInfoFileTest, DefaultFileReadsAsTheLauncherExpects) {
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), EnsureClientInfoFile(m_path));
    // The profile functions skip the indentation and the blanks around '='.
    EXPECT_EQ("2006.01.15", fw::ReadProfileString(m_path, "ClientInfo", "Version", 255));
    EXPECT_EQ("234", fw::ReadProfileString(m_path, "ClientInfo", "Channel", 255));
    EXPECT_EQ("", fw::ReadProfileString(m_path, "ClientInfo", "LocationServer", 9));
    EXPECT_EQ(3, fw::ReadProfileInt(m_path, "Locations", "count", 0));
    EXPECT_EQ(VANTOR_LOGIN_HOST_3, fw::ReadProfileString(m_path, "location3", "Host", 49));
}
