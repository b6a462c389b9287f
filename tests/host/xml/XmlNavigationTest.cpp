// Cursor navigation: NextElement, NextChild, EnterElement, and the walks the
// launcher (update-info reply) and the updater (manifest) make.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "xml/XmlDocument.h"

namespace {

std::string DataPath(const char* name) {
    const char* dir = std::getenv("VANTOR_TEST_DATA");
    return std::string(dir ? dir : ".") + "/" + name;
}

// Texts of every child named name of the current element, in order.
std::vector<std::string> ChildTexts(XmlDocument& doc, const char* name) {
    std::vector<std::string> texts;
    while (doc.NextChild(name)) texts.push_back(doc.ChildText());
    return texts;
}

// --- NextElement ------------------------------------------------------------

TEST(XmlNextElement, FindsTheRootByNameOnly) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<pkprotocol><updateInfo/></pkprotocol>"));
    EXPECT_FALSE(doc.NextElement("updateInfo"));  // not at the document level
    EXPECT_FALSE(doc.NextElement("pk"));
    EXPECT_FALSE(doc.NextElement("pkprotocolx"));
    EXPECT_FALSE(doc.NextElement("PKprotocol"));
    EXPECT_TRUE(doc.NextElement("pkprotocol"));
    EXPECT_FALSE(doc.NextElement("pkprotocol"));  // the root has no sibling
}

TEST(XmlNextElement, NullAndEmptyNameMatchAnyElement) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r/>"));
    EXPECT_TRUE(doc.NextElement(""));
    ASSERT_TRUE(doc.SetText("<r/>"));
    EXPECT_TRUE(doc.NextElement(nullptr));
}

TEST(XmlNextElement, WalksSiblingsAfterEnteringAnElement) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><a>1</a><b>2</b><a>3</a><c><x>4</x></c></r>"));
    ASSERT_TRUE(doc.NextChild("a"));
    ASSERT_TRUE(doc.EnterElement());  // now a is current and r the level
    EXPECT_TRUE(doc.NextElement("a"));
    EXPECT_FALSE(doc.NextElement("b"));  // b stands before the second a
    EXPECT_TRUE(doc.NextElement("c"));
    ASSERT_TRUE(doc.NextChild(nullptr));
    EXPECT_EQ(doc.ChildText(), "4");
}

TEST(XmlNextElement, SearchedNameMayContinueAfterTheTagName) {
    // A searched name equal to the tag name up to one of " =/[" matches it.
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><item>a</item><item>b</item></r>"));
    ASSERT_TRUE(doc.NextElement("r"));
    ASSERT_TRUE(doc.NextChild("item[1]"));
    EXPECT_EQ(doc.ChildText(), "a");
    ASSERT_TRUE(doc.NextChild("item x"));
    EXPECT_EQ(doc.ChildText(), "b");
    ASSERT_TRUE(doc.SetText("<r><item/></r>"));
    EXPECT_TRUE(doc.NextChild("item=1"));
    ASSERT_TRUE(doc.SetText("<r><item/></r>"));
    EXPECT_TRUE(doc.NextChild("item/"));
    ASSERT_TRUE(doc.SetText("<r><item/></r>"));
    EXPECT_FALSE(doc.NextChild("item-1"));
}

TEST(XmlNextElement, TagNameStopsAtAttributeOrEqualsSign) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r>\r\n<item\tname=\"x\"/><other=1/></r>"));
    EXPECT_TRUE(doc.NextChild("item"));
    EXPECT_TRUE(doc.NextChild("other"));
}

// --- NextChild ----------------------------------------------------------------

TEST(XmlNextChild, FindsChildrenInDocumentOrderAndContinuesAfterTheLast) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><a>1</a><b>2</b><a>3</a><a>4</a></r>"));
    ASSERT_TRUE(doc.NextElement("r"));
    ASSERT_TRUE(doc.NextChild("a"));
    EXPECT_EQ(doc.ChildText(), "1");
    ASSERT_TRUE(doc.NextChild("a"));
    EXPECT_EQ(doc.ChildText(), "3");
    ASSERT_TRUE(doc.NextChild(nullptr));
    EXPECT_EQ(doc.ChildText(), "4");
    EXPECT_FALSE(doc.NextChild(nullptr));
}

TEST(XmlNextChild, FailureLeavesTheCursorWhereItWas) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><a>1</a><b>2</b></r>"));
    ASSERT_TRUE(doc.NextChild("a"));
    EXPECT_FALSE(doc.NextChild("missing"));
    EXPECT_EQ(doc.ChildText(), "1");
    ASSERT_TRUE(doc.NextChild(nullptr));
    EXPECT_EQ(doc.ChildText(), "2");
}

TEST(XmlNextChild, WithoutCurrentElementTakesTheRootFirst) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><a>1</a></r>"));
    ASSERT_TRUE(doc.NextChild("a"));
    EXPECT_EQ(doc.ChildText(), "1");
    EXPECT_FALSE(doc.NextElement(nullptr));  // r is current; it has no sibling
}

TEST(XmlNextChild, DoesNotLookIntoGrandchildren) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><c><a>deep</a></c></r>"));
    EXPECT_FALSE(doc.NextChild("a"));
}

TEST(XmlNextChild, InsideAnElementWithoutChildrenFindsNothing) {
    // After stepping into r with no current child there is no current element;
    // the first element of r's level is looked for and there is none. The root
    // must not be taken for a child then.
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r/>"));
    ASSERT_TRUE(doc.NextElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.NextChild(nullptr));
    EXPECT_FALSE(doc.NextChild("r"));
    EXPECT_EQ(doc.ChildText(), "");
}

// --- EnterElement -------------------------------------------------------------

TEST(XmlEnterElement, NeedsACurrentElement) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><a/></r>"));
    EXPECT_FALSE(doc.EnterElement());
    ASSERT_TRUE(doc.NextElement("r"));
    EXPECT_TRUE(doc.EnterElement());  // no current child: the level is r, nothing is current
    EXPECT_FALSE(doc.EnterElement());
    EXPECT_TRUE(doc.NextElement("a"));  // the first element of r's level
}

TEST(XmlEnterElement, StepsIntoTheCurrentChild) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><a><x>1</x></a><b><x>2</x><y>3</y></b></r>"));
    ASSERT_TRUE(doc.NextChild("b"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(ChildTexts(doc, nullptr), (std::vector<std::string>{"2", "3"}));
}

// --- the update-info reply (launcher) ---------------------------------------

TEST(XmlUpdateInfoReply, YieldsUrlAndForceFlag) {
    XmlDocument doc;
    XmlDocument reference;
    ASSERT_TRUE(doc.LoadFile(DataPath("update_info_reply.xml").c_str())) << doc.ErrorText();
    ASSERT_TRUE(doc.NextElement("pkprotocol"));
    ASSERT_TRUE(doc.NextChild("updateInfo"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.NextChild("Url"));
    EXPECT_EQ(doc.ChildText(), "http://127.0.0.2/LoginPacketN/packages/Vantor_1.0.3.pkg?from=1.0.2&ch=7");
    ASSERT_TRUE(doc.NextChild("force"));
    EXPECT_EQ(doc.ChildText(), "1");
}

TEST(XmlUpdateInfoReply, ForceBeforeUrlIsNotSeen) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("\r\n<pkprotocol>\r\n<updateInfo>\r\n<force>1</force>\r\n<Url>http://h/p.pkg</Url>"
                            "\r\n</updateInfo>\r\n</pkprotocol>"));
    ASSERT_TRUE(doc.NextElement("pkprotocol"));
    ASSERT_TRUE(doc.NextChild("updateInfo"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.NextChild("Url"));
    EXPECT_FALSE(doc.NextChild("force"));
}

TEST(XmlUpdateInfoReply, NoUpdateHasEmptyOrMissingUrl) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("\r\n<pkprotocol>\r\n<updateInfo>\r\n<Url></Url>\r\n</updateInfo>\r\n</pkprotocol>"));
    ASSERT_TRUE(doc.NextElement("pkprotocol"));
    ASSERT_TRUE(doc.NextChild("updateInfo"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.NextChild("Url"));
    EXPECT_EQ(doc.ChildText(), "");
    ASSERT_TRUE(doc.SetText("\r\n<pkprotocol>\r\n<updateInfo/>\r\n</pkprotocol>"));
    ASSERT_TRUE(doc.NextElement("pkprotocol"));
    ASSERT_TRUE(doc.NextChild("updateInfo"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.NextChild("Url"));
}

TEST(XmlUpdateInfoReply, ServerErrorPageIsNoReply) {
    XmlDocument doc;
    doc.SetText("\r\n<html>\r\n<head><title>404 Not Found</title></head>\r\n<body><h1>Not Found</h1><hr>"
                "\r\n</body>\r\n</html>");
    EXPECT_FALSE(doc.NextElement("pkprotocol"));
}

// --- the manifest (updater) ---------------------------------------------------

TEST(XmlManifest, YieldsVersionsAndItemsInOrder) {
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(DataPath("updateFile.xml").c_str())) << doc.ErrorText();
    EXPECT_EQ(doc.ErrorText(), "368 bytes");
    ASSERT_TRUE(doc.NextElement("spkprotocol"));
    ASSERT_TRUE(doc.NextChild("version"));
    EXPECT_EQ(doc.ChildText(), "1.0.3");
    ASSERT_TRUE(doc.NextChild("displayVersion"));
    EXPECT_EQ(doc.ChildText(), "1.0.3 \xd5\xfd\xca\xbd\xb0\xe6");  // 1.0.3 正式版
    ASSERT_TRUE(doc.NextChild("copyfile"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(ChildTexts(doc, "item"),
              (std::vector<std::string>{
                  "VantorLogin.exe",
                  "Parcelkit.dll",
                  "data\\\x81\x5c\\\xb1\xed.pak",                  // data\乗\表.pak
                  "data\\\xb5\xd8\xcd\xbc\\\x81\x5d.dat",          // data\地图\乚.dat
                  "readme&notes.txt",
              }));
}

TEST(XmlManifest, ChildBeforeOneFoundEarlierIsNotSeen) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<spkprotocol><copyfile><item>a.dll</item></copyfile><version>2</version>"
                            "</spkprotocol>"));
    ASSERT_TRUE(doc.NextElement("spkprotocol"));
    ASSERT_TRUE(doc.NextChild("version"));
    EXPECT_EQ(doc.ChildText(), "2");
    EXPECT_FALSE(doc.NextChild("displayVersion"));
    EXPECT_FALSE(doc.NextChild("copyfile"));
}

TEST(XmlManifest, FirstTopLevelElementOfThatNameOnly) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<!-- x --><spkprotocolx><version>1</version></spkprotocolx>"));
    EXPECT_FALSE(doc.NextElement("spkprotocol"));
}

}  // namespace
