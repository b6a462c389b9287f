#include "framework/SystemError.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string WithoutTrailingBreak(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace

TEST(SystemMessage, IsEmptyWithoutSystemText) {
    EXPECT_FALSE(fw::SystemMessage(ERROR_FILE_NOT_FOUND).empty());
    EXPECT_EQ("", fw::SystemMessage(0x2000ABCD)) << "customer bit set: the system has no text for it";
}

TEST(SystemErrorText, TrimsTheLineBreakAndAddsTheCode) {
    const std::string message = fw::SystemMessage(ERROR_PATH_NOT_FOUND);
    ASSERT_FALSE(WithoutTrailingBreak(message).empty());
    const std::string text = fw::SystemErrorText(ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(WithoutTrailingBreak(message) + " (3)", text);
    EXPECT_EQ("(536914893)", fw::SystemErrorText(0x2000ABCD)) << "the number alone";
}
