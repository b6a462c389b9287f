#include <gtest/gtest.h>

#include "ManifestText.h"
#include "PackageFormat.h"
#include "ReleaseNames.h"
#include "logic/UpdateManifest.h"
#include "text/GbkText.h"
#include "xml/XmlDocument.h"

namespace {

TEST(ReleaseNames, PathsThePackageTheManifestAndWindowsAllCarry) {
    const std::string accepted[] = {
        "VantorLogin.exe", "certs\\certs.p7b", "data\\maps\\a b.dat", "\xca\xfd\xbe\xdd\\\xb5\xd8\xcd\xbc.dat",
        "x\x95\\y.dat" /* 0x5C as a trail byte: one name */, "R&D.txt", "a.b.c", std::string(149, 'a')};
    for (const std::string& path : accepted) {
        EXPECT_EQ(pk::CheckReleasePath(path), pk::NameProblem::None) << path;
        // What a release accepts, the updater installs and the package holds.
        EXPECT_TRUE(vantor::IsSafeManifestItem(path)) << path;
        EXPECT_TRUE(pk::IsSafeBareName(pk::LastNameOf(path), vantor::GbkCharLength)) << path;
    }
    EXPECT_EQ(pk::FoldersOf("x\x95\\y.dat").size(), 0u);

    const std::pair<std::string, pk::NameProblem> refused[] = {
        {std::string(150, 'a'), pk::NameProblem::TooLong},
        {"a:b.txt", pk::NameProblem::BadName},        {"data\\..\\x", pk::NameProblem::BadName},
        {"data\\\\x", pk::NameProblem::BadName},      {"trailing.", pk::NameProblem::BadName},
        {" lead", pk::NameProblem::BadName},          {"trail ", pk::NameProblem::BadName},
        {"a|b", pk::NameProblem::BadName},            {"tab\tname", pk::NameProblem::BadName},
        {"what?.txt", pk::NameProblem::BadName},      {"lone\x81", pk::NameProblem::BadName},
        {"data\\", pk::NameProblem::BadName},         {"con", pk::NameProblem::DeviceName},
        {"data\\LPT1.log", pk::NameProblem::DeviceName}, {"Nul .txt", pk::NameProblem::DeviceName}};
    for (const auto& [path, problem] : refused) EXPECT_EQ(pk::CheckReleasePath(path), problem) << path;
}

TEST(ReleaseNames, FoldingTouchesOnlyAsciiLettersOutsideTwoByteCharacters) {
    EXPECT_EQ(pk::FoldedPath("Data\\a.Dll"), "DATA\\A.DLL");
    // 0x81 0x61 is one character: its trail byte "a" keeps its case.
    EXPECT_EQ(pk::FoldedPath("\x81\x61x"), "\x81\x61X");
    EXPECT_EQ(pk::FoldersOf("a\\b\\c.dat"), (std::vector<std::string>{"a", "a\\b"}));
}

TEST(ManifestText, ReadsBackThroughTheUpdatersReaderInOrder) {
    const std::vector<std::string> items = {"VantorLogin.exe", "R&D<1>.txt", "\xca\xfd\xbe\xdd\\\xb5\xd8.dat"};
    const std::string text = pk::ManifestText("2006.02.01", "1.2 \xb0\xe6", items);
    XmlDocument document;
    ASSERT_TRUE(document.SetText(std::string(text))) << document.ErrorText();
    const vantor::ManifestPlan plan = vantor::ReadManifestPlan(document);
    EXPECT_TRUE(plan.found);
    EXPECT_FALSE(plan.emptyVersion);
    EXPECT_EQ(plan.version, "2006.02.01");
    EXPECT_EQ(plan.items, items);

    EXPECT_TRUE(pk::IsManifestValueText("2006.02.01"));
    for (const char* bad : {"", " 1", "1 ", "1\n2", "\x81"}) EXPECT_FALSE(pk::IsManifestValueText(bad)) << bad;
}

}  // namespace
