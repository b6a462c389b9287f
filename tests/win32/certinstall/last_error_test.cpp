#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "LastError.h"

using trustfit::CutErrorText;
using trustfit::FormatLastError;

namespace {

std::string SystemText(DWORD code) {
    char buffer[1024] = "";
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                     MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, sizeof buffer, nullptr);
    return buffer;
}

}  // namespace

TEST(FormatLastError, GivesTheSystemTextAndKeepsTheCode) {
    ASSERT_FALSE(SystemText(ERROR_FILE_NOT_FOUND).empty());
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SystemText(ERROR_FILE_NOT_FOUND), FormatLastError().data());
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), ::GetLastError());
}

TEST(FormatLastError, EmptyWithoutSystemText) {
    ::SetLastError(0x2000ABCD);  // customer bit set: the system has no text for it
    EXPECT_STREQ("", FormatLastError().data());
}

TEST(CutErrorText, KeepsShortTextsWhole) {
    EXPECT_STREQ("Access denied.\r\n", CutErrorText("Access denied.\r\n").data());
    EXPECT_STREQ("", CutErrorText("").data());
}

TEST(CutErrorText, CutsAt255Bytes) {
    const std::string longText(300, 'x');
    EXPECT_EQ(std::string(255, 'x'), CutErrorText(longText.c_str()).data());
    const std::string exact(255, 'y');
    EXPECT_EQ(exact, CutErrorText(exact.c_str()).data());
}

TEST(CutErrorText, NeverKeepsHalfADoubleByteCharacter) {
    if (::GetACP() != 936) GTEST_SKIP() << "needs code page 936 (LC_ALL=zh_CN.UTF-8)";
    // 254 single bytes, then a two-byte character that would end at byte 256.
    const std::string text = std::string(254, 'a') + "\xC4\xE3" + "b";
    EXPECT_EQ(std::string(254, 'a'), CutErrorText(text.c_str()).data());
    const std::string fits = std::string(253, 'a') + "\xC4\xE3" + "b";
    EXPECT_EQ(std::string(253, 'a') + "\xC4\xE3", CutErrorText(fits.c_str()).data());
}
