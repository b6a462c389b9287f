#include "framework/RegistryKey.h"

#include <gtest/gtest.h>

namespace {

const char kTestRoot[] = "Software\\VantorTests\\RegistryKey";

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot); }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot); }
};

}  // namespace

TEST_F(RegistryKeyTest, OpenFailsOnAMissingKeyAndCreateMakesIt) {
    fw::CRegistryKey key(HKEY_CURRENT_USER);
    EXPECT_FALSE(key.Open(kTestRoot));
    EXPECT_TRUE(key.Create(kTestRoot));
    fw::CRegistryKey again(HKEY_CURRENT_USER);
    EXPECT_TRUE(again.Open(kTestRoot));
}

TEST_F(RegistryKeyTest, CreatedKeysAreVolatile) {
    fw::CRegistryKey key(HKEY_CURRENT_USER);
    ASSERT_TRUE(key.Create(kTestRoot));
    // The system refuses a lasting key below a volatile one.
    HKEY child = nullptr;
    std::string path = std::string(kTestRoot) + "\\Lasting";
    LONG rc = ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                nullptr, &child, nullptr);
    if (child) ::RegCloseKey(child);
    EXPECT_EQ(ERROR_CHILD_MUST_BE_VOLATILE, rc);
}

TEST_F(RegistryKeyTest, WritesRegSzWithItsZeroAndReadsItBack) {
    fw::CRegistryKey key(HKEY_CURRENT_USER);
    ASSERT_TRUE(key.Create(kTestRoot));
    ASSERT_TRUE(key.WriteString("Location", "C:\\Games\\Vantor\\"));

    char raw[64] = {};
    DWORD size = sizeof(raw), type = 0;
    ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, kTestRoot, "Location", RRF_RT_ANY, &type, raw, &size));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(sizeof("C:\\Games\\Vantor\\"), size) << "the terminating zero is stored";

    std::string value;
    ASSERT_TRUE(key.ReadString("Location", value));
    EXPECT_EQ("C:\\Games\\Vantor\\", value);
}

TEST_F(RegistryKeyTest, ReadFailsForAMissingValueOrATooLongOne) {
    fw::CRegistryKey key(HKEY_CURRENT_USER);
    ASSERT_TRUE(key.Create(kTestRoot));
    std::string value = "unchanged";
    EXPECT_FALSE(key.ReadString("Missing", value));
    EXPECT_EQ("unchanged", value);

    ASSERT_TRUE(key.WriteString("Long", std::string(250, 'x')));  // more than the 200-byte buffer
    EXPECT_FALSE(key.ReadString("Long", value));
}

TEST_F(RegistryKeyTest, CloseLeavesNothingToUse) {
    fw::CRegistryKey key(HKEY_CURRENT_USER);
    ASSERT_TRUE(key.Create(kTestRoot));
    key.Close();
    EXPECT_FALSE(key.WriteString("Location", "x"));
    key.Close();  // a second close is harmless
}
