// The token transform on UTF-16 text that no ANSI conversion produces:
// characters outside the basic plane, broken surrogates, embedded zeros.
#include "PayloadToken.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string TokenOf(const std::u16string& text) { return playmoor::PayloadToken(text.data(), text.size()); }
}  // namespace

TEST(PayloadToken, SurrogatePairBecomesOneFourByteCharacter) {
    EXPECT_EQ("\xF0\x9D\x84\x9E", playmoor::Utf16ToUtf8(u"\U0001D11E", 2));
    EXPECT_EQ("PMT-AAC7DEC4", TokenOf(u"\U0001D11E"));
}

TEST(PayloadToken, BrokenSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ("\xEF\xBF\xBD" "a", playmoor::Utf16ToUtf8(u"\xD834" u"a", 2)) << "high surrogate before a letter";
    EXPECT_EQ("a\xEF\xBF\xBD", playmoor::Utf16ToUtf8(u"a\xD834", 2)) << "high surrogate at the end";
    EXPECT_EQ("\xEF\xBF\xBD\xEF\xBF\xBD", playmoor::Utf16ToUtf8(u"\xDD1E\xD834", 2)) << "pair in the wrong order";
}

TEST(PayloadToken, TwoAndThreeByteCharacters) {
    EXPECT_EQ("\xC3\xA9\xE7\x8E\xA9", playmoor::Utf16ToUtf8(u"\u00E9\u73A9", 2));
}

TEST(PayloadToken, EmbeddedZeroIsPartOfThePayload) {
    EXPECT_EQ("PMT-1B5A18", TokenOf(std::u16string(u"A\0B", 3)));
}

TEST(PayloadToken, FailingPayloadIsMatchedByLengthAndUnits) {
    EXPECT_TRUE(playmoor::IsFailingPayload(u"FAIL-CONVERT", 12));
    EXPECT_FALSE(playmoor::IsFailingPayload(u"FAIL-CONVERT", 11));
    EXPECT_FALSE(playmoor::IsFailingPayload(std::u16string(u"FAIL-CONVERT\0", 13).data(), 13));
    EXPECT_FALSE(playmoor::IsFailingPayload(u"", 0));
}
