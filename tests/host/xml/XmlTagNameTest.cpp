// The byte-wise name checks that navigation and the end-tag check take for
// plain names must decide exactly as reading the tag name by character and
// comparing does, on the tags where the two readings could part: names running
// into "=", "[", "\", "?", "!" or a GBK character (\x81\x5c 乗 has the trail
// byte "\"), names cut by the end of the text, and searched names that go on
// past the tag name.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "xml/XmlTagName.h"

namespace {

const char* const kTags[] = {
    "<item>",      "<item/>",    "<item x=\"1\">", "<item\t>",      "<item\r\n>", "<items>",
    "<ite>",       "<item=x>",   "<item[1]>",      "<item\\x>",     "<item?>",    "<item!>",
    "<item<",      "<item\x81\x5c>", "<\x81\x5c>", "<\x81\x5citem>", "<item",      "<i",
    "<Item>",      "<item-1>",   "<:item>",        "<item\"a\">",   "<a=b>",      "<a\\b>",
};

const char* const kSearchedNames[] = {
    "item", "ite", "items", "item x", "item=", "item[", "item/", "item\\x", "Item", "item-1",
    ":item", "i", "\x81\x5c", "\x81\x5citem", "item\"a\"", "a", "a=b", "a\\b", "item?", "item\t",
};

bool ByCharacter(const std::string& tag, const char* name) {
    return xml::SearchedNameMatches({name, std::strlen(name)}, xml::ReadTagName(tag.data(), tag.size(), 0));
}

TEST(XmlElementNameMatches, DecidesAsReadingByCharacterDoes) {
    for (const char* tag : kTags) {
        const std::string text = tag;
        for (const char* name : kSearchedNames) {
            EXPECT_EQ(xml::ElementNameMatches(text.data(), text.size(), 0, name), ByCharacter(text, name))
                << "tag '" << text << "', name '" << name << "'";
        }
    }
}

TEST(XmlElementNameMatches, PlainNamesMatchOnlyTheirOwnTagName) {
    const std::string text = "<item x=\"1\"><items/><item\x81\x5c/>";
    EXPECT_TRUE(xml::ElementNameMatches(text.data(), text.size(), 0, "item"));
    EXPECT_FALSE(xml::ElementNameMatches(text.data(), text.size(), 12, "item"));  // items
    EXPECT_FALSE(xml::ElementNameMatches(text.data(), text.size(), 20, "item"));  // item乗
}

// End tags: the name as the tag scan delimits it (up to " \t\n\r/>").
TEST(XmlEndTagMatches, DecidesAsReadingByCharacterDoes) {
    const char* const endNames[] = {"item", "ite", "items", "item=x", "item[1]", "item\\x", "item?", "item!",
                                    "\x81\x5c", "\x81\x5citem", "a=b", "a", "a\\b", "Item", ""};
    for (const char* tag : kTags) {
        const std::string text = tag;
        for (const char* end : endNames) {
            const xml::NameSpan endName{end, std::strlen(end)};
            const bool byCharacter =
                xml::SearchedNameMatches(endName, xml::ReadTagName(text.data(), text.size(), 0));
            EXPECT_EQ(xml::EndTagMatches(text.data(), text.size(), 0, endName), byCharacter)
                << "start tag '" << text << "', end name '" << end << "'";
        }
    }
}

}  // namespace
