// ChildText: which part of an element is its text, and how it is decoded.
#include <gtest/gtest.h>

#include <string>

#include "xml/XmlDocument.h"

namespace {

// The text of the only child c of a root r holding content.
std::string TextOf(const std::string& content) {
    XmlDocument doc;
    std::string text = "<r><c>" + content + "</c></r>";
    if (!doc.SetText(text.c_str())) return "(parse failed: " + doc.ErrorText() + ")";
    if (!doc.NextChild("c")) return "(no child)";
    return doc.ChildText();
}

// --- which text -----------------------------------------------------------------

TEST(XmlChildText, EmptyWithoutCurrentChild) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r>text</r>"));
    EXPECT_EQ(doc.ChildText(), "");
    ASSERT_TRUE(doc.NextElement("r"));
    EXPECT_EQ(doc.ChildText(), "");  // r is current, not a child
}

TEST(XmlChildText, ElementWithChildElementsHasNoText) {
    EXPECT_EQ(TextOf("before<d>inner</d>after"), "");
}

TEST(XmlChildText, EmptyElementHasNoText) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><c/><d></d></r>"));
    ASSERT_TRUE(doc.NextChild("c"));
    EXPECT_EQ(doc.ChildText(), "");
    ASSERT_TRUE(doc.NextChild("d"));
    EXPECT_EQ(doc.ChildText(), "");
}

TEST(XmlChildText, PlainContentKeepsAllItsWhiteSpace) {
    EXPECT_EQ(TextOf("  two words \r\n"), "  two words \r\n");
    EXPECT_EQ(TextOf(" \t "), " \t ");
}

TEST(XmlChildText, MarkupInsideJoinsTextAndCdataOnly) {
    // Text nodes decoded, CDATA raw; comments, processing instructions and pure
    // white-space nodes add nothing.
    EXPECT_EQ(TextOf(" a <!-- c --> b<![CDATA[&lt;]]>&gt; <?p x?> "), " a  b&lt;> ");
    EXPECT_EQ(TextOf("<!-- c -->\r\n  "), "");
    EXPECT_EQ(TextOf("x<![CDATA[]]>y"), "xy");
}

TEST(XmlChildText, ShortCdataOpeningGivesNothing) {
    EXPECT_EQ(TextOf("<![C]]>x"), "x");
    EXPECT_EQ(TextOf("<![CDATA]]>x"), "x");
    EXPECT_EQ(TextOf("<![CDATA[y]]>"), "y");
}

TEST(XmlChildText, StartTagLongerThanOneMegabyte) {
    std::string doc = "<r><c a=\"" + std::string((1 << 20) + 10, 'v') + "\">text</c></r>";
    XmlDocument reader;
    ASSERT_TRUE(reader.SetText(doc.c_str()));
    ASSERT_TRUE(reader.NextChild("c"));
    EXPECT_EQ(reader.ChildText(), "text");
}

TEST(XmlChildText, EndTagLongerThan1023Bytes) {
    std::string doc = "<r><c>text</c" + std::string(2000, ' ') + "><d>x</d" + std::string(1020, '\n') + "></r>";
    XmlDocument reader;
    ASSERT_TRUE(reader.SetText(doc.c_str()));
    ASSERT_TRUE(reader.NextChild("c"));
    EXPECT_EQ(reader.ChildText(), "text");
    ASSERT_TRUE(reader.NextChild("d"));
    EXPECT_EQ(reader.ChildText(), "x");
}

// --- named entities ---------------------------------------------------------------

TEST(XmlTextEntities, TheFiveNamedEntities) {
    EXPECT_EQ(TextOf("&lt;"), "<");
    EXPECT_EQ(TextOf("&lt;&amp;&gt;&apos;&quot;"), "<&>'\"");
    EXPECT_EQ(TextOf("a&amp;lt;b"), "a&lt;b");  // decoded once
}

TEST(XmlTextEntities, OtherAmpersandsStayAsWritten) {
    EXPECT_EQ(TextOf("&nbsp;&copy;"), "&nbsp;&copy;");
    EXPECT_EQ(TextOf("a & b"), "a & b");
    EXPECT_EQ(TextOf("&LT;"), "&LT;");
    EXPECT_EQ(TextOf("&"), "&");
}

TEST(XmlTextEntities, EntityMustLieWhollyInsideTheText) {
    EXPECT_EQ(TextOf("x&lt"), "x&lt");
    EXPECT_EQ(TextOf("x&quot"), "x&quot");
    EXPECT_EQ(TextOf("&amp<!-- -->;"), "&amp;");  // split by a comment: two text nodes
}

// --- character references ----------------------------------------------------------

TEST(XmlTextReferences, DecimalAndHexadecimal) {
    EXPECT_EQ(TextOf("&#65;"), "A");
    EXPECT_EQ(TextOf("&#x42;"), "B");
    EXPECT_EQ(TextOf("&#x6a;&#x6A;"), "jj");
    EXPECT_EQ(TextOf("&#0065;"), "A");
    EXPECT_EQ(TextOf("1&#43;1&#x3d;2"), "1+1=2");
}

TEST(XmlTextReferences, OnlyValuesOfOneByte) {
    EXPECT_EQ(TextOf("&#1;"), std::string(1, '\x01'));
    EXPECT_EQ(TextOf("&#255;"), "\xff");
    EXPECT_EQ(TextOf("&#256;"), "&#256;");
    EXPECT_EQ(TextOf("&#20013;"), "&#20013;");  // 中 has no single byte
    EXPECT_EQ(TextOf("&#x4E2D;"), "&#x4E2D;");
    EXPECT_EQ(TextOf("&#0;"), "&#0;");
    EXPECT_EQ(TextOf("&#x0;"), "&#x0;");
}

TEST(XmlTextReferences, SemicolonWithinSevenBytesOfTheAmpersand) {
    EXPECT_EQ(TextOf("&#00065;"), "A");         // ";" 7 bytes after "&"
    EXPECT_EQ(TextOf("&#000065;"), "&#000065;");  // 8 bytes: out of reach
    EXPECT_EQ(TextOf("&#65"), "&#65");
    EXPECT_EQ(TextOf("&#65 ;"), "&#65 ;");
}

TEST(XmlTextReferences, MalformedReferencesStayAsWritten) {
    EXPECT_EQ(TextOf("&#;"), "&#;");
    EXPECT_EQ(TextOf("&#x;"), "&#x;");
    EXPECT_EQ(TextOf("&#X41;"), "&#X41;");
    EXPECT_EQ(TextOf("&#6a;"), "&#6a;");
    EXPECT_EQ(TextOf("&#-65;"), "&#-65;");
    EXPECT_EQ(TextOf("&#x4g;"), "&#x4g;");
    // The "&" is kept and decoding goes on right after it.
    EXPECT_EQ(TextOf("&#&lt;"), "&#<");
}

}  // namespace
