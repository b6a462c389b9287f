#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "LastError.h"

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
