#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "Compose.h"
#include "HostPlatform.h"
#include "PackageFormat.h"
#include "TestFiles.h"
#include "ZipReader.h"

using pk::ComposeOutcome;
using pktest::ScratchDir;

namespace {

ComposeOutcome Compose(const std::string& list, const std::string& package) {
    return pk::ComposePackage(list.c_str(), package.c_str(), pk::HostPlatform());
}

std::string UnzipOnly(const std::string& archive, std::string* name) {
    vzip::ZipReader reader;
    if (reader.Open(archive) != vzip::ZipStatus::Ok || reader.Entries().size() != 1) return "<not one entry>";
    *name = reader.Entries()[0].name;
    std::string out;
    reader.Extract(0, [&out](const uint8_t* p, size_t n) {
        out.append(reinterpret_cast<const char*>(p), n);
        return true;
    });
    return out;
}

TEST(Compose, ThreeFilesGiveTheDocumentedPackage) {
    ScratchDir dir;
    const std::string a = pktest::Bytes(10, 1), c = pktest::Bytes(2000, 3);
    pktest::WriteFile(dir / "a.dll", a);
    pktest::WriteFile(dir / "b.txt", "");
    pktest::WriteFile(dir / "c.bin", c);
    ASSERT_EQ(ComposeOutcome::Ok, Compose(dir / "a.dll|" + dir / "b.txt|" + dir / "c.bin", dir / "p.pk"));

    EXPECT_FALSE(pktest::Exists(dir / "p.pk"));  // only the archive remains
    std::string name;
    const std::string package = UnzipOnly(dir / "p.pkzip", &name);
    EXPECT_EQ("p.pk", name);
    ASSERT_EQ(3062u, package.size());
    std::string expected = pktest::BuildPackage({{"a.dll", 1052, 10}, {"b.txt", 1062, 0}, {"c.bin", 1062, 2000}},
                                                a + c);
    EXPECT_EQ(expected, package);
}

TEST(Compose, RefusesWhatDoesNotFitBeforeCreatingAnything) {
    ScratchDir dir;
    pktest::WriteFile(dir / "f", "x");
    std::string list101 = dir / "f";
    for (int i = 0; i < 100; ++i) list101 += "|" + dir / "f";
    const std::string longName(256, 'n');
    pktest::WriteFile(dir / longName, "x");
    struct { std::string list; ComposeOutcome expected; } cases[] = {
        {"", ComposeOutcome::NoFiles},
        {list101, ComposeOutcome::TooManyFiles},
        {dir / longName, ComposeOutcome::BadFileName},
        {dir / "f|", ComposeOutcome::BadFileName},  // the empty last piece
        {dir / "missing", ComposeOutcome::CannotReadFile},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, Compose(c.list, dir / "p.pk")) << c.list.size();
        EXPECT_FALSE(pktest::Exists(dir / "p.pk"));
        EXPECT_FALSE(pktest::Exists(dir / "p.pkzip"));
    }
    EXPECT_EQ(ComposeOutcome::NoFiles, pk::ComposePackage(nullptr, (dir / "p.pk").c_str(), pk::HostPlatform()));
    EXPECT_EQ(ComposeOutcome::NoPackagePath, Compose(dir / "f", ""));
}

TEST(Compose, PacksExactly100FilesEachWithItsOwnData) {
    ScratchDir dir;
    std::string list, data;
    std::vector<pktest::RawPackageEntry> entries;
    int32_t offset = int32_t(pk::kHeaderSize + 100 * pk::kEntrySize);
    for (int i = 0; i < 100; ++i) {
        const std::string name = "f" + std::to_string(i);
        const std::string content = pktest::Bytes(size_t(i * 37 % 1500), uint32_t(i));
        pktest::WriteFile(dir / name, content);
        list += (i ? "|" : "") + dir / name;
        entries.push_back({name, offset, int32_t(content.size())});
        offset += int32_t(content.size());
        data += content;
    }
    ASSERT_EQ(ComposeOutcome::Ok, Compose(list, dir / "p.pk"));
    std::string name;
    EXPECT_EQ(pktest::BuildPackage(entries, data), UnzipOnly(dir / "p.pkzip", &name));
}

TEST(Compose, NeedsReadAccessOnly) {
    ScratchDir dir;
    pktest::WriteFile(dir / "ro.txt", "read only");
    chmod((dir / "ro.txt").c_str(), 0444);
    EXPECT_EQ(ComposeOutcome::Ok, Compose(dir / "ro.txt", dir / "p.pk"));
}

TEST(Compose, RefusesToOverwriteAListedFile) {
    ScratchDir dir;
    pktest::WriteFile(dir / "p.pk", "precious");
    pktest::WriteFile(dir / "p.pkzip", "precious too");
    EXPECT_EQ(ComposeOutcome::OverwritesInput, Compose(dir / "p.pk", dir / "p.pk"));
    EXPECT_EQ(ComposeOutcome::OverwritesInput, Compose(dir / "p.pkzip", dir / "p.pk"));
    EXPECT_EQ("precious", pktest::ReadFile(dir / "p.pk"));
    EXPECT_EQ("precious too", pktest::ReadFile(dir / "p.pkzip"));

    // The same file under another name, after a file that is not it.
    pktest::WriteFile(dir / "other", "other");
    pktest::WriteFile(dir / "data", "data");
    ASSERT_EQ(0, link((dir / "data").c_str(), (dir / "q.pk").c_str()));
    EXPECT_EQ(ComposeOutcome::OverwritesInput, Compose(dir / "other|" + dir / "data", dir / "q.pk"));
    EXPECT_EQ("data", pktest::ReadFile(dir / "q.pk"));
    EXPECT_FALSE(pktest::Exists(dir / "q.pkzip"));
}

TEST(Compose, ReplacesTheArchiveAndPackageOfAnEarlierRun) {
    ScratchDir dir;
    pktest::WriteFile(dir / "a", "new content");
    pktest::WriteFile(dir / "p.pk", "stale package");
    pktest::WriteFile(dir / "p.pkzip", "stale archive");
    ASSERT_EQ(ComposeOutcome::Ok, Compose(dir / "a", dir / "p.pk"));
    std::string name;
    EXPECT_EQ(pktest::BuildPackage({{"a", 524, 11}}, "new content"), UnzipOnly(dir / "p.pkzip", &name));
    EXPECT_FALSE(pktest::Exists(dir / "p.pk"));
}

TEST(Compose, PackageThatCannotBeCreatedLeavesNothing) {
    ScratchDir dir;
    pktest::WriteFile(dir / "f", "x");
    EXPECT_EQ(ComposeOutcome::CannotCreatePackage, Compose(dir / "f", dir / "no/such/p.pk"));
}

TEST(Compose, ArchiveThatCannotBeCreatedKeepsThePackage) {
    ScratchDir dir;
    pktest::WriteFile(dir / "f", "x");
    ASSERT_EQ(0, mkdir((dir / "p.pkzip").c_str(), 0777));  // a folder where the archive should go
    EXPECT_EQ(ComposeOutcome::ZipFailed, Compose(dir / "f", dir / "p.pk"));
    EXPECT_EQ(pk::kHeaderSize + pk::kEntrySize + 1, pktest::ReadFile(dir / "p.pk").size());
}

}  // namespace
