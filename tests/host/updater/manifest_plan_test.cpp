#include "logic/UpdateManifest.h"

#include <gtest/gtest.h>

#include "xml/XmlDocument.h"

namespace vantor {
namespace {

using Items = std::vector<std::string>;

ManifestPlan Plan(const char* text) {
    XmlDocument document;
    document.SetText(text);
    return ReadManifestPlan(document);
}

TEST(ReadManifestPlan, VersionAndItemsInDocumentOrder) {
    ManifestPlan plan = Plan(
        "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<spkprotocol>\r\n"
        "  <version>2006.02.01</version>\r\n  <displayVersion>1.2</displayVersion>\r\n"
        "  <copyfile><item>a.dll</item><item>data\\b.dat</item><item>c&amp;d.txt</item></copyfile>\r\n"
        "</spkprotocol>\r\n");
    EXPECT_TRUE(plan.found);
    EXPECT_FALSE(plan.emptyVersion);
    EXPECT_EQ("2006.02.01", plan.version);
    EXPECT_EQ((Items{"a.dll", "data\\b.dat", "c&d.txt"}), plan.items);
}

TEST(ReadManifestPlan, ChildrenCountOnlyInTheirOrder) {
    // displayVersion before version: the version is found, displayVersion is not looked at again.
    ManifestPlan plan = Plan("<spkprotocol><displayVersion></displayVersion><version>2</version></spkprotocol>");
    EXPECT_FALSE(plan.emptyVersion);
    EXPECT_EQ("2", plan.version);

    // copyfile before version: no copyfile after the version, so nothing to copy.
    plan = Plan("<spkprotocol><copyfile><item>a.dll</item></copyfile><version>3</version></spkprotocol>");
    EXPECT_EQ("3", plan.version);
    EXPECT_EQ(Items{}, plan.items);

    // Without a version the search for copyfile starts at the first child.
    plan = Plan("<spkprotocol><copyfile><item>a.dll</item></copyfile></spkprotocol>");
    EXPECT_EQ("", plan.version);
    EXPECT_EQ(Items{"a.dll"}, plan.items);
}

TEST(ReadManifestPlan, EmptyVersionOrDisplayVersionChangesNothing) {
    for (const char* text : {
             "<spkprotocol><version></version><copyfile><item>a</item></copyfile></spkprotocol>",
             "<spkprotocol><version/><copyfile><item>a</item></copyfile></spkprotocol>",
             "<spkprotocol><version>2</version><displayVersion/><copyfile><item>a</item></copyfile></spkprotocol>",
             "<spkprotocol><displayVersion></displayVersion><copyfile><item>a</item></copyfile></spkprotocol>",
         }) {
        ManifestPlan plan = Plan(text);
        EXPECT_TRUE(plan.found) << text;
        EXPECT_TRUE(plan.emptyVersion) << text;
        EXPECT_EQ("", plan.version) << text;
        EXPECT_EQ(Items{}, plan.items) << text;
    }
}

TEST(ReadManifestPlan, NoSpkprotocolOrNoDocument) {
    for (const char* text : {"", "<other><version>2</version></other>", "<spkprotocol><version>2</version>",
                             "<Spkprotocol><version>2</version></Spkprotocol>"}) {
        ManifestPlan plan = Plan(text);
        EXPECT_FALSE(plan.found) << text;
        EXPECT_EQ("", plan.version) << text;
        EXPECT_EQ(Items{}, plan.items) << text;
    }
}

TEST(ReadManifestPlan, NestedAndOtherElementsAreIgnored) {
    ManifestPlan plan = Plan(
        "<spkprotocol><info><version>9</version></info><version>2</version>"
        "<copyfile><note>x</note><item>a</item><group><item>nested</item></group><Item>B</Item><item>c</item>"
        "</copyfile><copyfile><item>second list</item></copyfile></spkprotocol>");
    EXPECT_EQ("2", plan.version);
    EXPECT_EQ((Items{"a", "c"}), plan.items);
}

}  // namespace
}  // namespace vantor
