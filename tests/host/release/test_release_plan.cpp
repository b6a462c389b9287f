#include <gtest/gtest.h>

#include <map>
#include <set>

#include "PackageFormat.h"
#include "ReleasePlan.h"

namespace {

// A tree from {path: content}; each file's size is its content's.
struct Tree {
    std::map<std::string, std::string> files;
    std::vector<std::string> folders;
    pk::ClientTree Client() const {
        pk::ClientTree tree;
        tree.folders = folders;
        for (const auto& [path, content] : files) tree.files.push_back({path, int64_t(content.size())});
        return tree;
    }
};

struct Planned {
    pk::ReleasePlan plan;
    std::vector<std::string> shipped;
    std::set<std::pair<size_t, size_t>> compared;
};

Planned Plan(const Tree& oldTree, const Tree& newTree, const std::string& archive = "VantorUpdate.vpk") {
    const pk::ClientTree a = oldTree.Client(), b = newTree.Client();
    Planned out;
    out.plan = pk::PlanRelease(a, b, archive, [&](size_t i, size_t j) {
        out.compared.insert({i, j});
        return oldTree.files.at(a.files[i].path) == newTree.files.at(b.files[j].path);
    });
    for (const pk::ShippedFile& f : out.plan.files) out.shipped.push_back(f.path);
    return out;
}

std::vector<pk::Refusal> Reasons(const pk::ReleasePlan& plan) {
    std::vector<pk::Refusal> reasons;
    for (const pk::RefusedFile& r : plan.refusals) reasons.push_back(r.why);
    return reasons;
}

TEST(ReleasePlan, ShipsWhatIsNewOrChangedAndNamesWhatIsGone) {
    Tree oldTree{{{"same.dll", "1234"}, {"grown.dat", "12"}, {"edited.dat", "abcd"}, {"Data\\Map.bin", "m1"},
                  {"dropped.txt", "x"}, {"ClientInfo.ini", "[ClientInfo]"}, {"Update\\leftover.pk", "p"}},
                 {"Data", "Update"}};
    Tree newTree{{{"same.dll", "1234"}, {"grown.dat", "123"}, {"edited.dat", "abce"}, {"data\\map.bin", "m2"},
                  {"fresh.txt", "new"}, {"ClientInfo.ini", "[ClientInfo]\nVersion=9"}, {"Update\\x.pk", "q"}},
                 {"data", "Update"}};
    const Planned p = Plan(oldTree, newTree);
    EXPECT_TRUE(p.plan.refusals.empty());
    // Letter case does not part a file from its old self, as on Windows.
    EXPECT_EQ(p.shipped, (std::vector<std::string>{"data\\map.bin", "edited.dat", "fresh.txt", "grown.dat"}));
    EXPECT_EQ(p.plan.gone, std::vector<std::string>{"dropped.txt"});
    EXPECT_EQ(p.plan.leftOut, (std::vector<std::string>{"ClientInfo.ini", "Update\\x.pk"}));
    // Contents are compared only where the sizes agree.
    for (const auto& [i, j] : p.compared)
        EXPECT_EQ(oldTree.Client().files[i].size, newTree.Client().files[j].size);
    EXPECT_EQ(p.compared.size(), 3u);  // same.dll, edited.dat, map.bin
}

TEST(ReleasePlan, RefusesWhatTheUpdaterCannotCarryAndNamesEachFile) {
    Tree oldTree{{{"VantorUpdate.exe", "old"}}, {"certs"}};
    Tree newTree{{{"VantorUpdate.exe", "new"}, {"autoupdate.exe", "s"}, {"UPDATEFILE.XML", "m"},
                  {"pkupdate.pk", "p"}, {"VantorUpdate.vpk", "a"}, {"newdir\\a.dat", "a"}, {"certs\\deep\\b", "b"},
                  {"certs\\ok.p7b", "c"}, {"Twice.txt", "1"}, {"twice.TXT", "2"}, {"aux.log", "3"}},
                 {"certs", "certs\\deep", "newdir"}};
    const Planned p = Plan(oldTree, newTree);
    std::map<std::string, pk::Refusal> refused;
    for (const pk::RefusedFile& r : p.plan.refusals) {
        refused[r.path] = r.why;
        EXPECT_FALSE(r.detail.empty());
    }
    EXPECT_EQ(refused, (std::map<std::string, pk::Refusal>{
                           {"VantorUpdate.exe", pk::Refusal::ChangedUpdater},
                           {"autoupdate.exe", pk::Refusal::Reserved},
                           {"UPDATEFILE.XML", pk::Refusal::Reserved},
                           {"pkupdate.pk", pk::Refusal::Reserved},
                           {"VantorUpdate.vpk", pk::Refusal::Reserved},
                           {"newdir\\a.dat", pk::Refusal::NewFolder},
                           {"certs\\deep\\b", pk::Refusal::NewFolder},
                           {"twice.TXT", pk::Refusal::SameNameTwice},
                           {"aux.log", pk::Refusal::Name}}));
    EXPECT_EQ(p.shipped, (std::vector<std::string>{"certs\\ok.p7b", "Twice.txt"}));

    pk::ClientTree huge;
    huge.files.push_back({"huge.bin", int64_t(1) << 32});
    const pk::ReleasePlan big = pk::PlanRelease({}, huge, "u.vpk", [](size_t, size_t) { return false; });
    EXPECT_EQ(Reasons(big), std::vector<pk::Refusal>{pk::Refusal::TooLarge});
}

TEST(ReleasePlan, CopiesTheLauncherFirstAndTheUnpackLibrariesLast) {
    Tree newTree{{{"Parcelkit.dll", "p"}, {"b.dat", "b"}, {"v_zipfile.dll", "z"}, {"certs\\certs.p7b", "c"},
                  {"A.dat", "a"}, {"vantorlogin.exe", "l"}},
                 {"certs"}};
    EXPECT_EQ(Plan({{}, {"certs"}}, newTree).shipped,
              (std::vector<std::string>{"vantorlogin.exe", "A.dat", "b.dat", "certs\\certs.p7b", "v_zipfile.dll",
                                        "Parcelkit.dll"}));
}

TEST(ReleasePlan, PackageTakesTopLevelFilesWhileTheFormatHoldsThem) {
    std::vector<pk::ShippedFile> files;
    for (int i = 0; i < 150; ++i) files.push_back({"f" + std::to_string(1000 + i), 10, size_t(i), false});
    files.push_back({"sub\\deep.dat", 10, 150, false});
    pk::ChoosePackageFiles(files, 5000);
    size_t inPackage = 0;
    for (const pk::ShippedFile& f : files) inPackage += f.inPackage;
    EXPECT_EQ(inPackage, pk::kMaxFiles - 1);  // the manifest is the hundredth
    EXPECT_TRUE(files[98].inPackage);
    EXPECT_FALSE(files[99].inPackage);
    EXPECT_FALSE(files.back().inPackage);

    // Past the signed 32-bit offsets a file travels beside the package; a
    // smaller one after it still fits.
    std::vector<pk::ShippedFile> big = {{"a.bin", int64_t(1) << 30, 0, false},
                                        {"b.bin", int64_t(1) << 30, 1, false},
                                        {"c.bin", 1000, 2, false}};
    pk::ChoosePackageFiles(big, 100);
    EXPECT_TRUE(big[0].inPackage);
    EXPECT_FALSE(big[1].inPackage);
    EXPECT_TRUE(big[2].inPackage);
}

}  // namespace
