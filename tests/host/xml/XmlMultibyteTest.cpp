// GBK text: a lead byte and its trail byte are one character everywhere. The
// characters used have trail bytes the reader treats specially on their own:
//   \x81\x5c 乗 (trail "\"), \x81\x5b 乕 (trail "["), \x81\x5d 乚 (trail "]"),
//   \xd5\x5d 誡 (trail "]"), \xd6\xd0 中, \xce\xc4 文.
#include <gtest/gtest.h>

#include <string>

#include "xml/XmlDocument.h"

namespace {

// --- tag names --------------------------------------------------------------------

TEST(XmlMultibyteNames, TrailBackslashDoesNotEndATagName) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><\x81\x5c>x</\x81\x5c><\x81\x5c\x81\x5c>y</\x81\x5c\x81\x5c></r>"))
        << doc.ErrorText();
    ASSERT_TRUE(doc.NextElement("r"));
    ASSERT_TRUE(doc.NextChild("\x81\x5c\x81\x5c"));  // 乗乗 is not taken for 乗
    EXPECT_EQ(doc.ChildText(), "y");
    ASSERT_TRUE(doc.SetText("<r><\x81\x5c>x</\x81\x5c><\x81\x5c\x81\x5c>y</\x81\x5c\x81\x5c></r>"));
    ASSERT_TRUE(doc.NextChild("\x81\x5c"));
    EXPECT_EQ(doc.ChildText(), "x");
    EXPECT_FALSE(doc.NextChild("\x81\x5c"));
}

TEST(XmlMultibyteNames, ByteBackslashStillEndsTheNameForMatching) {
    // A backslash of its own ends the name that searches compare, so the end
    // tag "a\b" does not match the start tag (read as "a").
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText("<a\\b></a\\b>"));
    EXPECT_EQ(doc.ErrorText(), "End tag 'a\\b' at offset 6 does not match start tag 'a\\b' at offset 0");
}

TEST(XmlMultibyteNames, TrailBracketIsNoNameContinuation) {
    // "a[" matches a; but \x81\x5b is one character 乕, not \x81 and "[".
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><\x81></\x81><a></a></r>"));
    EXPECT_FALSE(doc.NextChild("\x81\x5b"));
    EXPECT_TRUE(doc.NextChild("\x81 "));
    ASSERT_TRUE(doc.SetText("<r><\x81></\x81><a></a></r>"));
    EXPECT_TRUE(doc.NextChild("a["));
}

TEST(XmlMultibyteNames, EndTagWithTrailBracketDoesNotMatch) {
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText("<\x81></\x81\x5b>"));
    EXPECT_EQ(doc.ErrorText(),
              "End tag '\x81\x5b' at offset 4 does not match start tag '\x81' at offset 0");
    EXPECT_TRUE(doc.SetText("<a></a[>"));
}

TEST(XmlMultibyteNames, ChineseNamesInMessages) {
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText("<\xd6\xd0><\xce\xc4></\xd6\xd0>"));  // <中><文></中>
    EXPECT_EQ(doc.ErrorText(),
              "End tag '\xd6\xd0' at offset 9 does not match start tag '\xce\xc4' at offset 4");
}

// --- terminators ------------------------------------------------------------------

TEST(XmlMultibyteTerminators, TrailBracketDoesNotCloseCdata) {
    // 乚]> : the "]" before ">" is alone but the one before it is a trail byte.
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><c><![CDATA[\x81\x5d]>\xd5\x5d]>]]></c></r>")) << doc.ErrorText();
    ASSERT_TRUE(doc.NextChild("c"));
    EXPECT_EQ(doc.ChildText(), "\x81\x5d]>\xd5\x5d]>");
}

TEST(XmlMultibyteTerminators, TrailBracketLeavesCdataUnterminated) {
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText("<r><![CDATA[x\x81\x5d]>"));
    EXPECT_EQ(doc.ErrorText(), "CDATA Section at offset 3 unterminated");
}

TEST(XmlMultibyteTerminators, LeadByteAtTheEndOfTheDocument) {
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText("<r>\x81"));
    EXPECT_EQ(doc.ErrorText(), "Element 'r' at offset 0 not ended");
    EXPECT_FALSE(doc.SetText("<r><![CDATA[\x81"));
    EXPECT_EQ(doc.ErrorText(), "CDATA Section at offset 3 unterminated");
    EXPECT_FALSE(doc.SetText("<\x81"));
    EXPECT_EQ(doc.ErrorText(), "Element tag at offset 0 unterminated");
    EXPECT_TRUE(doc.SetText("<r/>\x81"));
}

TEST(XmlMultibyteTerminators, LeadByteBeforeMarkupStaysALoneByte) {
    // A lead byte followed by "<", ">" or a quote leaves them as markup.
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r a=\"\x81\"><c>\x81</c><d>\x81&amp;</d></r>")) << doc.ErrorText();
    ASSERT_TRUE(doc.NextChild("c"));
    EXPECT_EQ(doc.ChildText(), "\x81");
    ASSERT_TRUE(doc.NextChild("d"));
    EXPECT_EQ(doc.ChildText(), "\x81&");
}

// --- text -------------------------------------------------------------------------

TEST(XmlMultibyteText, CharactersAroundEntitiesAreCopiedWhole) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><c>\xd6\xd0&amp;\xce\xc4&lt;\x81\x5c</c></r>"));  // 中&amp;文&lt;乗
    ASSERT_TRUE(doc.NextChild("c"));
    EXPECT_EQ(doc.ChildText(), "\xd6\xd0&\xce\xc4<\x81\x5c");
}

}  // namespace
