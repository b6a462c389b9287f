// Parsing: which documents parse, and the exact error text and offset of each
// one that does not. Grouped by construct.
#include <gtest/gtest.h>

#include <string>

#include "xml/XmlDocument.h"

namespace {

struct ParseResult {
    bool ok;
    std::string error;
};

ParseResult Parse(const std::string& text) {
    XmlDocument doc;
    bool ok = doc.SetText(text.c_str());
    return {ok, doc.ErrorText()};
}

void ExpectError(const std::string& text, const std::string& error) {
    ParseResult r = Parse(text);
    EXPECT_FALSE(r.ok) << text;
    EXPECT_EQ(r.error, error) << text;
}

// --- document level -------------------------------------------------------

TEST(XmlParseDocument, NewReaderHoldsEmptyDocumentAndFindsNothing) {
    XmlDocument doc;
    EXPECT_EQ(doc.ErrorText(), "Empty document");
    EXPECT_FALSE(doc.NextElement(nullptr));
    EXPECT_FALSE(doc.NextChild(nullptr));
    EXPECT_FALSE(doc.EnterElement());
    EXPECT_EQ(doc.ChildText(), "");
}

TEST(XmlParseDocument, EmptyAndNullTextGiveEmptyDocument) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r/>"));
    EXPECT_FALSE(doc.SetText(""));
    EXPECT_EQ(doc.ErrorText(), "Empty document");
    EXPECT_FALSE(doc.NextElement("r"));
    ASSERT_TRUE(doc.SetText("<r/>"));
    EXPECT_FALSE(doc.SetText(nullptr));
    EXPECT_EQ(doc.ErrorText(), "Empty document");
    EXPECT_FALSE(doc.NextElement(nullptr));
}

TEST(XmlParseDocument, SuccessClearsTheError) {
    XmlDocument doc;
    EXPECT_TRUE(doc.SetText("<r/>"));
    EXPECT_EQ(doc.ErrorText(), "");
}

TEST(XmlParseDocument, TextWithoutAnyTagHasNoRoot) {
    ExpectError("text", "Root element not found");
    ExpectError(" \r\n\t", "Root element not found");
    ExpectError("<?xml version=\"1.0\"?><!-- only a comment -->", "Root element not found");
}

TEST(XmlParseDocument, SecondTopLevelElementIsSiblingToRoot) {
    ExpectError("<a/><b/>", "Element 'b' at offset 4 is sibling to root");
    ExpectError("<a></a>\r\n<b x=\"1\">", "Element 'b' at offset 9 is sibling to root");
}

TEST(XmlParseDocument, MarkupAroundTheRootIsNoElement) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<!-- note -->\r\n"
                            "<!DOCTYPE r [<!ELEMENT r ANY>]>\r\n<r/>\r\n<!-- after --> trailing text"));
    ASSERT_TRUE(doc.NextElement(nullptr));
    EXPECT_FALSE(doc.NextElement(nullptr));
}

TEST(XmlParseDocument, FailedParseFindsNothingAfterAGoodOne) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><a/></r>"));
    ASSERT_TRUE(doc.NextChild("a"));
    EXPECT_FALSE(doc.SetText("<r><a/>"));
    EXPECT_FALSE(doc.NextElement(nullptr));
    EXPECT_FALSE(doc.NextElement("r"));
    EXPECT_FALSE(doc.NextChild(nullptr));
    EXPECT_EQ(doc.ChildText(), "");
}

// --- start and end tags ---------------------------------------------------

TEST(XmlParseTags, EndTagNotMatchingIsReportedAtItsSlash) {
    ExpectError("<a><b></a>", "End tag 'a' at offset 7 does not match start tag 'b' at offset 3");
}

TEST(XmlParseTags, NamesCompareCaseSensitively) {
    ExpectError("<Item></item>", "End tag 'item' at offset 7 does not match start tag 'Item' at offset 0");
}

TEST(XmlParseTags, EndTagNameMustNotBeLongerOrShorter) {
    ExpectError("<ab></a>", "End tag 'a' at offset 5 does not match start tag 'ab' at offset 0");
    ExpectError("<a></ab>", "End tag 'ab' at offset 4 does not match start tag 'a' at offset 0");
    ExpectError("<a></>", "End tag '' at offset 4 does not match start tag 'a' at offset 0");
}

TEST(XmlParseTags, EndTagMayCarryBlanksBeforeItsClose) {
    EXPECT_TRUE(Parse("<a></a \r\n>").ok);
}

TEST(XmlParseTags, LoneEndTagHasNoStartTag) {
    ExpectError("</a>", "No start tag for end tag 'a' at offset 0");
    ExpectError("<r/>\n</r>", "No start tag for end tag 'r' at offset 5");
}

TEST(XmlParseTags, OpenElementAtTheEndIsNotEnded) {
    ExpectError("<a>", "Element 'a' at offset 0 not ended");
    ExpectError("<a x=\"1\"><b>text", "Element 'b' at offset 9 not ended");  // the innermost
}

TEST(XmlParseTags, TagNameMustStartWithANameCharacter) {
    ExpectError("<a><1/></a>", "Incorrect tag name character at offset 3");
    ExpectError("<`a/>", "Incorrect tag name character at offset 0");  // "`" is just below "a"
    ExpectError("< a/>", "Incorrect tag name character at offset 0");
    ExpectError("<a>a < b</a>", "Incorrect tag name character at offset 5");
    EXPECT_TRUE(Parse("<:a/>").ok);
    EXPECT_TRUE(Parse("<_a/>").ok);
    EXPECT_TRUE(Parse("<Z/>").ok);
    EXPECT_TRUE(Parse("<~x></~x>").ok);  // every byte from "a" up starts a name
}

TEST(XmlParseTags, QuotedGreaterThanDoesNotEndAStartTag) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><c a=\">\" b='>' c=\"'\" d='\"'>text</c></r>"));
    ASSERT_TRUE(doc.NextChild("c"));
    EXPECT_EQ(doc.ChildText(), "text");
}

TEST(XmlParseTags, EmptyElementOnlyWhenCloseFollowsSlash) {
    XmlDocument doc;
    // The slash inside quotes does not make f empty, so f needs its end tag.
    ASSERT_TRUE(doc.SetText("<r><e a='1'/><f a=\"/\">x</f><g/ ></g></r>"));
    ASSERT_TRUE(doc.NextChild("f"));
    EXPECT_EQ(doc.ChildText(), "x");
}

TEST(XmlParseTags, UnterminatedTagsNameTheirKind) {
    ExpectError("<a><", "tag at offset 3 unterminated");
    ExpectError("<a></a", "Element end tag at offset 3 unterminated");
    ExpectError("<a><b c='>'", "Element tag at offset 3 unterminated");
    ExpectError("<a><b c=\"x>", "Element tag at offset 3 unterminated");
}

// --- comments, processing instructions, CDATA -----------------------------

TEST(XmlParseMarkup, UnclosedCommentIsUnterminatedAtItsStart) {
    ExpectError("<a><!-- never closed", "Comment at offset 3 unterminated");
    ExpectError("<a><!-- -- >", "Comment at offset 3 unterminated");
    ExpectError("<a><!-", "Comment at offset 3 unterminated");
}

TEST(XmlParseMarkup, CommentNeedsTwoDashes) {
    ExpectError("<a><!-x--></a>", "Incorrect comment tag at offset 3");
}

TEST(XmlParseMarkup, CommentMayHoldMarkupCharacters) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><c><!-- <b> & </c> -> --->x</c></r>"));
    ASSERT_TRUE(doc.NextChild("c"));
    EXPECT_EQ(doc.ChildText(), "x");
}

TEST(XmlParseMarkup, TerminatorMayReuseTheOpeningsCharacters) {
    // "-->" is recognised at its ">" by the two characters before it, which here
    // are those of the opening "<!--"; "<?>" ends the same way.
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><c><!-->x<?>y</c></r>"));
    ASSERT_TRUE(doc.NextChild("c"));
    EXPECT_EQ(doc.ChildText(), "xy");
}

TEST(XmlParseMarkup, UnclosedProcessingInstruction) {
    ExpectError("<a><?pi x ?", "Processing instruction at offset 3 unterminated");
    ExpectError("<?xml version=\"1.0\">\r\n<a/>", "Processing instruction at offset 0 unterminated");
}

TEST(XmlParseMarkup, CdataNeedsItsC) {
    ExpectError("<a><![x]]></a>", "Incorrect tag at offset 3");
}

TEST(XmlParseMarkup, UnclosedCdata) {
    ExpectError("<a><![CDATA[x]]", "CDATA Section at offset 3 unterminated");
    ExpectError("<a><![CDATA[x]>", "CDATA Section at offset 3 unterminated");
    ExpectError("<a><![", "CDATA Section at offset 3 unterminated");
}

TEST(XmlParseMarkup, CdataMayHoldTags) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><c><![CDATA[</c><d>]]></c></r>"));
    ASSERT_TRUE(doc.NextChild("c"));
    EXPECT_EQ(doc.ChildText(), "</c><d>");
    EXPECT_FALSE(doc.NextChild("d"));
}

// --- declarations -----------------------------------------------------------

TEST(XmlParseDeclarations, DoctypeEndsAtFirstCloseOutsideNestedDeclarations) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<!DOCTYPE r [\n<!ELEMENT r (#PCDATA)>\n<!ATTLIST r a CDATA #IMPLIED>\n"
                            "<!ENTITY e \"x\">\n<!NOTATION n SYSTEM \"n\">\n]>\n<r>t</r>"));
    ASSERT_TRUE(doc.NextElement("r"));
    EXPECT_FALSE(doc.NextElement(nullptr));
}

TEST(XmlParseDeclarations, NestedDeclarationEndsAtItsOwnClose) {
    XmlDocument doc;
    // The "<" inside the entity value opens nothing further; the ">" after it
    // closes the entity declaration and "]>" the doctype.
    ASSERT_TRUE(doc.SetText("<!DOCTYPE r [<!ENTITY e \"<\">]><r><c>t</c></r>"));
    ASSERT_TRUE(doc.NextChild("c"));
    EXPECT_EQ(doc.ChildText(), "t");
}

TEST(XmlParseDeclarations, UnclosedDoctype) {
    ExpectError("<!DOCTYPE r [<!ENTITY e 'x'>", "Doctype at offset 0 unterminated");
    ExpectError("<!DOCTYPE r [<!ENTITY e 'x'", "Doctype at offset 0 unterminated");
}

TEST(XmlParseDeclarations, UnknownDeclaration) {
    ExpectError("<a><!x></a>", "Incorrect ! tag at offset 3");
    ExpectError("<a><!", "tag at offset 3 unterminated");
}

TEST(XmlParseDeclarations, DtdDeclarationOutsideDoctypeFailsWithoutMessage) {
    ExpectError("<!ELEMENT r ANY><r/>", "");
    ExpectError("<r><!ATTLIST r a CDATA #IMPLIED></r>", "");
    ExpectError("<r><!NOTATION n></r>", "");
    ExpectError("<r><!ENTITY e", "tag at offset 3 unterminated");
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText("<r><!ENTITY e 'x'></r>"));
    EXPECT_FALSE(doc.NextElement("r"));
}

// --- truncation sweep -------------------------------------------------------

TEST(XmlParseTruncation, EveryProperPrefixOfADocumentFails) {
    const std::string full =
        "<?xml version=\"1.0\"?><!DOCTYPE r [<!ELEMENT r ANY>]><r a='1'><!-- c --><![CDATA[d]]>"
        "<e/>t&amp;</r>";
    ASSERT_TRUE(Parse(full).ok);
    for (size_t n = 0; n < full.size(); ++n) {
        ParseResult r = Parse(full.substr(0, n));
        EXPECT_FALSE(r.ok) << n;
        EXPECT_FALSE(r.error.empty()) << n;
    }
}

TEST(XmlParseTruncation, PrefixesOfAnElementReportTheConstructCut) {
    const std::string full = "<r><c x=\"1\">t</c></r>";
    const char* expected[] = {
        "Empty document",                              // ""
        "tag at offset 0 unterminated",                // "<"
        "Element tag at offset 0 unterminated",        // "<r"
        "Element 'r' at offset 0 not ended",           // "<r>"
        "tag at offset 3 unterminated",                // "<r><"
        "Element tag at offset 3 unterminated",        // "<r><c"
        "Element tag at offset 3 unterminated",        // "<r><c "
        "Element tag at offset 3 unterminated",        // "<r><c x"
        "Element tag at offset 3 unterminated",        // "<r><c x="
        "Element tag at offset 3 unterminated",        // "<r><c x=\""
        "Element tag at offset 3 unterminated",        // "<r><c x=\"1"
        "Element tag at offset 3 unterminated",        // "<r><c x=\"1\""
        "Element 'c' at offset 3 not ended",           // "<r><c x=\"1\">"
        "Element 'c' at offset 3 not ended",           // "...t"
        "tag at offset 13 unterminated",               // "...t<"
        "Element end tag at offset 13 unterminated",   // "...t</"
        "Element end tag at offset 13 unterminated",   // "...t</c"
        "Element 'r' at offset 0 not ended",           // "...t</c>"
        "tag at offset 17 unterminated",               // "...</c><"
        "Element end tag at offset 17 unterminated",   // "...</c></"
        "Element end tag at offset 17 unterminated",   // "...</c></r"
    };
    ASSERT_EQ(sizeof expected / sizeof *expected, full.size());
    for (size_t n = 0; n < full.size(); ++n) EXPECT_EQ(Parse(full.substr(0, n)).error, expected[n]) << n;
}

}  // namespace
