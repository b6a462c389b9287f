#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "Compose.h"
#include "Decompose.h"
#include "HostPlatform.h"
#include "TestFiles.h"

using pk::DecomposeOutcome;
using pk::PackageStatus;
using pktest::BuildPackage;
using pktest::BuildZip;
using pktest::ScratchDir;

namespace {

// An archive folder and a separate target folder, as the updater uses them.
struct Folders {
    ScratchDir dir;
    std::string archive = dir / "up/pk.zip";
    std::string target = dir / "target";
    Folders() {
        mkdir((dir / "up").c_str(), 0777);
        mkdir(target.c_str(), 0777);
    }
    pk::DecomposeResult Decompose() {
        return pk::DecomposePackage(archive.c_str(), target.c_str(), pk::HostPlatform());
    }
    void WriteArchive(const std::string& package, const std::string& name = "PkUpdate.pk") {
        pktest::WriteFile(archive, BuildZip({{name, package}}));
    }
};

TEST(Decompose, SplitsAComposedPackageAndDeletesIt) {
    Folders f;
    const std::string a = pktest::Bytes(10, 1), c = pktest::Bytes(70000, 3);
    pktest::WriteFile(f.dir / "a.dll", a);
    pktest::WriteFile(f.dir / "b.txt", "");
    pktest::WriteFile(f.dir / "c.bin", c);
    ASSERT_EQ(pk::ComposeOutcome::Ok, pk::ComposePackage((f.dir / "a.dll|" + f.dir / "b.txt|" + f.dir / "c.bin").c_str(),
                                                         (f.dir / "up/pk.").c_str(), pk::HostPlatform()));
    pktest::WriteFile(f.target + "/c.bin", "old content to be overwritten, longer than nothing");
    EXPECT_EQ(DecomposeOutcome::Ok, f.Decompose().outcome);
    EXPECT_EQ((std::vector<std::string>{"a.dll", "b.txt", "c.bin"}), pktest::ListFolder(f.target));
    EXPECT_EQ(a, pktest::ReadFile(f.target + "/a.dll"));
    EXPECT_EQ("", pktest::ReadFile(f.target + "/b.txt"));
    EXPECT_EQ(c, pktest::ReadFile(f.target + "/c.bin"));
    EXPECT_EQ((std::vector<std::string>{"pk.zip"}), pktest::ListFolder(f.dir / "up"));  // archive stays
}

TEST(Decompose, ZeroEntriesGiveNothingAndSucceed) {
    Folders f;
    f.WriteArchive(BuildPackage({}, ""));
    EXPECT_EQ(DecomposeOutcome::Ok, f.Decompose().outcome);
    EXPECT_TRUE(pktest::ListFolder(f.target).empty());
}

TEST(Decompose, WrongMagicFailsAndLeavesTheInnerFile) {
    Folders f;
    std::string package = BuildPackage({{"a", 524, 1}}, "x");
    package[10] = 'K';
    f.WriteArchive(package);
    pk::DecomposeResult r = f.Decompose();
    EXPECT_EQ(DecomposeOutcome::BadPackage, r.outcome);
    EXPECT_EQ(PackageStatus::BadMagic, r.packageStatus);
    EXPECT_EQ(package, pktest::ReadFile(f.dir / "up/PkUpdate.pk"));
    EXPECT_TRUE(pktest::ListFolder(f.target).empty());
}

TEST(Decompose, FurtherFilesOfTheArchiveLandBesideIt) {
    Folders f;
    pktest::WriteFile(f.archive, BuildZip({{"PkUpdate.pk", BuildPackage({{"a", 524, 1}}, "x")},
                                           {"readme.txt", "hello"}, {"Update/autoupdate.exe", "MZ"}}));
    EXPECT_EQ(DecomposeOutcome::Ok, f.Decompose().outcome);
    EXPECT_EQ("hello", pktest::ReadFile(f.dir / "up/readme.txt"));
    EXPECT_EQ("MZ", pktest::ReadFile(f.dir / "up/Update/autoupdate.exe"));
    EXPECT_EQ("x", pktest::ReadFile(f.target + "/a"));
}

TEST(Decompose, UnsafeEntryNamesWriteNothing) {
    for (const char* name : {"..", "../evil", "sub/evil", "sub\\evil", "/tmp/evil", "C:evil", "CON", ""}) {
        Folders f;
        f.WriteArchive(BuildPackage({{"good", 788, 1}, {name, 789, 1}}, "gb"));
        pk::DecomposeResult r = f.Decompose();
        EXPECT_EQ(PackageStatus::BadName, r.packageStatus) << name;
        EXPECT_TRUE(pktest::ListFolder(f.target).empty()) << name;  // not even "good"
        EXPECT_EQ((std::vector<std::string>{"PkUpdate.pk", "pk.zip"}), pktest::ListFolder(f.dir / "up")) << name;
        EXPECT_EQ((std::vector<std::string>{"target", "up"}), pktest::ListFolder(f.dir.path())) << name;
    }
}

TEST(Decompose, LyingTableWritesNothing) {
    const std::string data = "0123456789";
    struct { std::string package; PackageStatus expected; } cases[] = {
        {BuildPackage({{"a", 524, 11}}, data), PackageStatus::EntryOutsideFile},
        {BuildPackage({{"a", 530, 5}}, data), PackageStatus::EntryOutsideFile},
        {BuildPackage({{"a", -1, 5}}, data), PackageStatus::EntryOutsideFile},
        {BuildPackage({{"a", 524, 10}, {"b", 0, -2}}, data), PackageStatus::EntryOutsideFile},
        {BuildPackage({{"a", 524, 10}}, data).replace(256, 4, "\xff\xff\xff\x7f", 4), PackageStatus::BadCount},
        {BuildPackage({{"a", 524, 10}}, data).replace(256, 4, "\xff\xff\xff\xff", 4), PackageStatus::BadCount},
    };
    for (const auto& c : cases) {
        Folders f;
        f.WriteArchive(c.package);
        pk::DecomposeResult r = f.Decompose();
        EXPECT_EQ(DecomposeOutcome::BadPackage, r.outcome);
        EXPECT_EQ(c.expected, r.packageStatus);
        EXPECT_TRUE(pktest::ListFolder(f.target).empty());
    }
}

TEST(Decompose, EveryTruncationOfAPackageFailsAndWritesNothing) {
    const std::string package = BuildPackage({{"a", 788, 3}, {"b", 791, 4}}, "aaabbbb");
    Folders f;
    for (size_t cut = 0; cut < package.size(); ++cut) {
        pktest::WriteFile(f.dir / "up/p.pk", package.substr(0, cut));
        pk::DecomposeResult r = pk::SplitPackage(f.dir / "up/p.pk", f.target, pk::HostPlatform());
        EXPECT_EQ(DecomposeOutcome::BadPackage, r.outcome) << cut;
        EXPECT_TRUE(pktest::ListFolder(f.target).empty()) << cut;
    }
}

TEST(Decompose, OutputThatCannotBeCreatedFails) {
    Folders f;
    f.WriteArchive(BuildPackage({{"a", 788, 1}, {"b", 789, 1}}, "ab"));
    ASSERT_EQ(0, mkdir((f.target + "/b").c_str(), 0777));  // "b" cannot be opened for writing
    EXPECT_EQ(DecomposeOutcome::CannotCreateFile, f.Decompose().outcome);
    EXPECT_EQ("a", pktest::ReadFile(f.target + "/a"));
    EXPECT_TRUE(pktest::Exists(f.dir / "up/PkUpdate.pk"));
}

TEST(Decompose, EntryNamedLikeThePackageInItsOwnFolderIsRefused) {
    Folders f;
    const std::string package = BuildPackage({{"PkUpdate.pk", 524, 1}}, "x");
    f.WriteArchive(package);
    f.target = f.dir / "up";
    EXPECT_EQ(DecomposeOutcome::OverwritesPackage, f.Decompose().outcome);
    EXPECT_EQ(package, pktest::ReadFile(f.dir / "up/PkUpdate.pk"));
}

TEST(Decompose, EachEntryIsReadAtItsOwnOffset) {
    // Not the writer's layout: a gap, a jump back, data shared by two entries,
    // then entries back to back again, and an empty entry at the very end.
    const int32_t base = int32_t(pk::kHeaderSize + 5 * pk::kEntrySize);
    const std::string data = "0123456789abcdefghij";
    Folders f;
    f.WriteArchive(BuildPackage({{"later", base + 12, 5}, {"first", base, 4}, {"again", base, 4},
                                 {"next", base + 4, 6}, {"empty", base + 20, 0}},
                                data));
    ASSERT_EQ(DecomposeOutcome::Ok, f.Decompose().outcome);
    EXPECT_EQ("cdefg", pktest::ReadFile(f.target + "/later"));
    EXPECT_EQ("0123", pktest::ReadFile(f.target + "/first"));
    EXPECT_EQ("0123", pktest::ReadFile(f.target + "/again"));
    EXPECT_EQ("456789", pktest::ReadFile(f.target + "/next"));
    EXPECT_EQ("", pktest::ReadFile(f.target + "/empty"));
}

TEST(Decompose, OutputThatIsThePackageUnderAnotherNameIsRefused) {
    Folders f;
    const std::string package = BuildPackage({{"a", 788, 1}, {"b", 789, 1}}, "ab");
    pktest::WriteFile(f.dir / "up/p.pk", package);
    pktest::WriteFile(f.target + "/a", "an older a");
    ASSERT_EQ(0, link((f.dir / "up/p.pk").c_str(), (f.target + "/b").c_str()));
    EXPECT_EQ(DecomposeOutcome::OverwritesPackage,
              pk::SplitPackage(f.dir / "up/p.pk", f.target, pk::HostPlatform()).outcome);
    EXPECT_EQ(package, pktest::ReadFile(f.dir / "up/p.pk"));
    EXPECT_EQ("an older a", pktest::ReadFile(f.target + "/a"));  // checked before anything is written
}

TEST(Decompose, ArchiveProblemsFail) {
    Folders f;
    EXPECT_EQ(DecomposeOutcome::NoArguments, pk::DecomposePackage("", f.target.c_str(), pk::HostPlatform()).outcome);
    EXPECT_EQ(DecomposeOutcome::NoArguments, pk::DecomposePackage(f.archive.c_str(), nullptr, pk::HostPlatform()).outcome);
    EXPECT_EQ(DecomposeOutcome::CannotOpenArchive, f.Decompose().outcome);
    pktest::WriteFile(f.archive, BuildZip({}));
    EXPECT_EQ(DecomposeOutcome::NoPackage, f.Decompose().outcome);
    pktest::WriteFile(f.archive, BuildZip({{"../PkUpdate.pk", BuildPackage({}, "")}}));
    EXPECT_EQ(DecomposeOutcome::UnzipFailed, f.Decompose().outcome);
    EXPECT_FALSE(pktest::Exists(f.dir / "PkUpdate.pk"));
}

}  // namespace
