// GBK text: a lead byte and its trail byte are one character everywhere.
//   \x81\x5c 乗 (trail "\"), \xc6\x5c 器 (trail "\"), \xd6\xd0 中, \xc4\xe3 你.
#include "text/GbkText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace vantor;

namespace {

size_t Prefix(const std::string& text, size_t maxBytes) {
    return WholeCharacterPrefix(text.data(), text.size(), maxBytes);
}

}  // namespace

// --- stepping ---------------------------------------------------------------------

TEST(GbkCharLength, LeadAndTrailMakeOneCharacter) {
    const char text[] = "\xd6\xd0" "a" "\x81\x5c" "\x81" ">" "\xff" "\x80";
    const char* end = text + sizeof text - 1;
    EXPECT_EQ(GbkCharLength(text, end), 2u);      // 中
    EXPECT_EQ(GbkCharLength(text + 2, end), 1u);  // a
    EXPECT_EQ(GbkCharLength(text + 3, end), 2u);  // 乗
    EXPECT_EQ(GbkCharLength(text + 5, end), 1u);  // lead byte before ">": no trail
    EXPECT_EQ(GbkCharLength(text + 7, end), 1u);  // 0xFF leads nothing
    EXPECT_EQ(GbkCharLength(text + 8, end), 1u);  // 0x80 alone
}

TEST(GbkCharLength, LeadByteAtTheEndIsOneCharacter) {
    const char text[] = "\x81\x5c";
    EXPECT_EQ(GbkCharLength(text, text + 1), 1u);
    EXPECT_TRUE(IsGbkCharBoundary(text, 2, 2));
    EXPECT_FALSE(IsGbkCharBoundary(text, 2, 1));
    EXPECT_TRUE(IsGbkCharBoundary(text, 1, 1));
}

// --- path separators --------------------------------------------------------------

TEST(FindLastBackslash, SkipsTrailBytes) {
    EXPECT_EQ(std::string::npos, FindLastBackslash(""));
    EXPECT_EQ(std::string::npos, FindLastBackslash("\xc6\x5c"));
    EXPECT_EQ(2u, FindLastBackslash("C:\\\xc6\x5c"));
    EXPECT_EQ(2u, FindLastBackslash("C:\\\x81\\")) << "0x81 0x5C is one character";
    EXPECT_EQ(3u, FindLastBackslash("a\x81/\\")) << "a lead byte before a non-trail byte stands alone";
}

TEST(FolderBeforeLastBackslash, CutsBeforeTheLastBackslash) {
    EXPECT_EQ("C:\\Games\\Vantor", FolderBeforeLastBackslash("C:\\Games\\Vantor\\VantorLogin.exe"));
    EXPECT_EQ("Z:", FolderBeforeLastBackslash("Z:\\VantorLogin.exe"));
    EXPECT_EQ("\\\\server\\share", FolderBeforeLastBackslash("\\\\server\\share\\a.exe"));
}

TEST(FolderBeforeLastBackslash, IsEmptyWithoutABackslash) {
    EXPECT_EQ("", FolderBeforeLastBackslash("VantorLogin.exe"));
    EXPECT_EQ("", FolderBeforeLastBackslash(""));
}

TEST(FolderBeforeLastBackslash, TakesNoGbkTrailByteForASeparator) {
    // "C:\游戏\登录器.exe" where 器 (0xC6 0x5C) has a backslash as its trail byte.
    const std::string folder = "C:\\\xd3\xce\xcf\xb7";
    EXPECT_EQ(folder, FolderBeforeLastBackslash(folder + "\\\xb5\xc7\xc2\xbc\xc6\x5c.exe"));
    // A folder name ending in such a character keeps it whole.
    EXPECT_EQ("C:\\\xc6\x5c", FolderBeforeLastBackslash("C:\\\xc6\x5c\\a.exe"));
}

// --- cutting to a byte count ------------------------------------------------------

TEST(WholeCharacterPrefix, KeepsShortTextsWhole) {
    EXPECT_EQ(0u, Prefix("", 255));
    EXPECT_EQ(16u, Prefix("Access denied.\r\n", 255));
    EXPECT_EQ(255u, Prefix(std::string(255, 'y'), 255));
}

TEST(WholeCharacterPrefix, CutsAtTheByteCount) {
    EXPECT_EQ(255u, Prefix(std::string(300, 'x'), 255));
    EXPECT_EQ(49u, Prefix(std::string(60, 'a'), 49));
    EXPECT_EQ(0u, Prefix("abc", 0));
}

struct CutCase {
    const char* name;
    std::string text;
    size_t maxBytes;
    size_t kept;
};

class WholeCharacterPrefixCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(WholeCharacterPrefixCut, NeverKeepsHalfACharacter) {
    EXPECT_EQ(GetParam().kept, Prefix(GetParam().text, GetParam().maxBytes));
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, WholeCharacterPrefixCut,
    ::testing::Values(
        CutCase{"CharacterEndsOnePastTheLimit", std::string(254, 'a') + "\xc4\xe3" "b", 255, 254},
        CutCase{"CharacterEndsAtTheLimit", std::string(253, 'a') + "\xc4\xe3" "b", 255, 255},
        CutCase{"TrailByteBackslash", "\xc6\x5c\xc6\x5c", 3, 2},
        CutCase{"LeadByteWithoutTrailStandsAlone", "a\x81/", 2, 2},
        CutCase{"LeadByteAndLetterAreOneCharacter", "a\x81" "b", 2, 1},
        CutCase{"LeadByteAtTheEndStandsAlone", "ab\x81", 3, 3}),
    [](const ::testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

// --- the system code page's rule ----------------------------------------------------
// The lead-byte ranges as the system reports them: 936 has one, 1252 none.

namespace {

const unsigned char kRanges936[12] = {0x81, 0xFE};
const unsigned char kRanges1252[12] = {};
const unsigned char kRanges932[12] = {0x81, 0x9F, 0xE0, 0xFC};

}  // namespace

TEST(LeadByteRule, FromTheSystemsRangesMatchesGbkUnder936) {
    const LeadByteRule system = LeadByteRule::FromRanges(kRanges936, sizeof kRanges936);
    const LeadByteRule gbk = LeadByteRule::Gbk();
    for (unsigned c = 0; c < 256; ++c) EXPECT_EQ(gbk.IsLead(c), system.IsLead(c)) << c;
    EXPECT_EQ(2u, FindLastBackslash("C:\\\x81\\", system));
}

TEST(LeadByteRule, RangesStopAtTheFirstZeroPair) {
    const unsigned char ranges[] = {0x81, 0x9F, 0, 0, 0xE0, 0xFC};
    const LeadByteRule rule = LeadByteRule::FromRanges(ranges, sizeof ranges);
    EXPECT_TRUE(rule.IsLead(0x9F));
    EXPECT_FALSE(rule.IsLead(0xE0));
}

// Under 1251 or 1252 a letter such as "é" (0xE9) or "Ж" (0xC6) before a "\"
// is one byte, and the "\" after it is the folder's separator.
TEST(FolderBeforeLastBackslash, Under1252EveryBackslashSeparates) {
    const LeadByteRule rule = LeadByteRule::FromRanges(kRanges1252, sizeof kRanges1252);
    EXPECT_EQ("C:\\Jeux\\Vantor Onlin\xE9",
              FolderBeforeLastBackslash("C:\\Jeux\\Vantor Onlin\xE9\\VantorLogin.exe", rule));
    EXPECT_EQ("C:\\\xC6", FolderBeforeLastBackslash("C:\\\xC6\\VantorUpdate.exe", LeadByteRule::SingleByte()));
    // GBK would read 0xE9 0x5C as one character and cut one folder too high.
    EXPECT_EQ("C:\\Jeux", FolderBeforeLastBackslash("C:\\Jeux\\Vantor Onlin\xE9\\VantorLogin.exe"));
}

TEST(FolderBeforeLastBackslash, Under936ATrailBackslashStaysInTheName) {
    const LeadByteRule rule = LeadByteRule::FromRanges(kRanges936, sizeof kRanges936);
    EXPECT_EQ("C:\\\xd3\xce\xcf\xb7\\\xc6\x5c", FolderBeforeLastBackslash("C:\\\xd3\xce\xcf\xb7\\\xc6\x5c\\a.exe", rule));
    EXPECT_EQ("C:", FolderBeforeLastBackslash("C:\\\xc6\x5c" "a.exe", rule));
}

TEST(FolderBeforeLastBackslash, Under932OnlyItsLeadBytesJoin) {
    const LeadByteRule rule = LeadByteRule::FromRanges(kRanges932, sizeof kRanges932);
    EXPECT_EQ("C:\\\x95\x5c", FolderBeforeLastBackslash("C:\\\x95\x5c\\a.exe", rule)) << "0x95 leads in 932";
    EXPECT_EQ("C:\\\xA0", FolderBeforeLastBackslash("C:\\\xA0\\a.exe", rule)) << "0xA0 leads nothing in 932";
}
