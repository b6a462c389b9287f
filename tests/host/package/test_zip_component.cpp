#include <gtest/gtest.h>

#include <cstring>

#include "EntryName.h"
#include "TestFiles.h"
#include "ZipReader.h"
#include "ZipWriter.h"
#include "v_zipfile.h"

using pktest::BuildZip;
using pktest::ScratchDir;

namespace {

std::string ExtractAll(vzip::ZipReader& reader, size_t index, vzip::ZipStatus* status) {
    std::string out;
    *status = reader.Extract(index, [&out](const uint8_t* p, size_t n) {
        out.append(reinterpret_cast<const char*>(p), n);
        return true;
    });
    return out;
}

TEST(ZipEntryName, SplitsRelativeNames) {
    std::vector<std::string> parts;
    bool folder = false;
    ASSERT_TRUE(vzip::SplitEntryName("data/sub\\b.dat", &parts, &folder));
    EXPECT_EQ((std::vector<std::string>{"data", "sub", "b.dat"}), parts);
    EXPECT_FALSE(folder);
    ASSERT_TRUE(vzip::SplitEntryName("data/", &parts, &folder));
    EXPECT_TRUE(folder);
}

TEST(ZipEntryName, RefusesEveryWayOut) {
    std::vector<std::string> parts;
    bool folder = false;
    for (const char* bad : {"", "/etc/x", "\\x", "../x", "a/../../x", "..\\x", "a/..", "C:x", "C:\\x",
                            "a/./b", "a//b", ".. /x", "a/... /b", "x:ads", "/"})
        EXPECT_FALSE(vzip::SplitEntryName(bad, &parts, &folder)) << bad;
}

TEST(ZipEntryName, StoredNameIsTheBareFileName) {
    EXPECT_EQ("PkUpdate.pk", vzip::BaseNameOf("C:\\x\\PkUpdate.pk"));
    EXPECT_EQ("PkUpdate.pk", vzip::BaseNameOf("/tmp/x/PkUpdate.pk"));
}

TEST(ZipComponent, ZipsAndUnzipsAFile) {
    ScratchDir dir;
    const std::string data = pktest::Bytes(200000, 7) + std::string(100000, 'z');
    pktest::WriteFile(dir / "in.pk", data);
    v_zipfile zip;
    ASSERT_TRUE(zip.open_v_zipfile_forzip((dir / "a.zip").c_str()));
    ASSERT_TRUE(zip.add_a_file((dir / "in.pk").c_str()));
    ASSERT_TRUE(zip.close_v_zipfile_forzip());

    vzip::ZipReader reader;
    ASSERT_EQ(vzip::ZipStatus::Ok, reader.Open(dir / "a.zip"));
    ASSERT_EQ(1u, reader.Entries().size());
    EXPECT_EQ("in.pk", reader.Entries()[0].name);
    EXPECT_EQ(vzip::kMethodDeflated, reader.Entries()[0].method);
    vzip::ZipStatus status;
    EXPECT_EQ(data, ExtractAll(reader, 0, &status));
    EXPECT_EQ(vzip::ZipStatus::Ok, status);
}

// Zips in.pk of `data` in the given parts; the single entry's data and its
// compressed size come back.
std::string ZipInParts(const ScratchDir& dir, const std::string& data, const std::vector<long long>& partEnds,
                       uint32_t* compressedSize) {
    pktest::WriteFile(dir / "in.pk", data);
    vzip::ZipWriter writer;
    EXPECT_TRUE(writer.Create(dir / "a.zip"));
    EXPECT_TRUE(writer.AddFile(dir / "in.pk", "in.pk", std::vector<int64_t>(partEnds.begin(), partEnds.end())));
    EXPECT_TRUE(writer.Finish());
    vzip::ZipReader reader;
    if (reader.Open(dir / "a.zip") != vzip::ZipStatus::Ok || reader.Entries().size() != 1) return "(unreadable)";
    *compressedSize = reader.Entries()[0].compressedSize;
    vzip::ZipStatus status;
    std::string out = ExtractAll(reader, 0, &status);
    return status == vzip::ZipStatus::Ok ? out : "(corrupt)";
}

struct PartsCase {
    const char* what;
    size_t size;
    std::vector<long long> partEnds;
};

class ZipInPartsRoundTrip : public testing::TestWithParam<PartsCase> {};

TEST_P(ZipInPartsRoundTrip, GivesBackTheSameBytes) {
    ScratchDir dir;
    const std::string data = pktest::Bytes(GetParam().size, 3);
    uint32_t compressed = 0;
    EXPECT_EQ(data, ZipInParts(dir, data, GetParam().partEnds, &compressed));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ZipInPartsRoundTrip,
    testing::Values(PartsCase{"NoParts", 5000, {}}, PartsCase{"EmptyFile", 0, {0}},
                    PartsCase{"EmptyFileWithEnds", 0, {0, 0, 7}},
                    PartsCase{"EmptyPartsAndRepeats", 3000, {0, 0, 1000, 1000, 1000, 2999}},
                    PartsCase{"EndsAtAndBeyondTheSize", 3000, {1500, 3000, 9000}},
                    PartsCase{"PartsAcrossTheBuffer", 200000, {65535, 65536, 65537, 140000, 196608}},
                    PartsCase{"ManySmallParts", 100000, {1, 2, 3, 1000, 1001, 8192, 16384, 50000, 99999}}),
    [](const testing::TestParamInfo<PartsCase>& info) { return std::string(info.param.what); });

TEST(ZipComponent, EachPartIsCompressedOnItsOwn) {
    // Two equal halves: on one history the second is a copy of the first and
    // costs nearly nothing; as independent parts both cost the same.
    ScratchDir dir;
    const std::string half = pktest::Bytes(20000, 9);
    uint32_t joined = 0, apart = 0;
    ASSERT_EQ(half + half, ZipInParts(dir, half + half, {}, &joined));
    ASSERT_EQ(half + half, ZipInParts(dir, half + half, {20000}, &apart));
    EXPECT_LT(joined, apart * 3 / 4);
}

TEST(ZipComponent, AddedFileIsZippedInStretchesEachOnItsOwn) {
    // The component's add restarts the history every 8 KB: a file whose second
    // 8 KB repeat its first compresses as two parts would, not as one.
    ScratchDir dir;
    const std::string half = pktest::Bytes(8 * 1024, 9);
    pktest::WriteFile(dir / "in.pk", half + half);
    v_zipfile zip;
    ASSERT_TRUE(zip.open_v_zipfile_forzip((dir / "a.zip").c_str()));
    ASSERT_TRUE(zip.add_a_file((dir / "in.pk").c_str()));
    ASSERT_TRUE(zip.close_v_zipfile_forzip());
    uint32_t added = 0;
    {
        vzip::ZipReader reader;
        ASSERT_EQ(vzip::ZipStatus::Ok, reader.Open(dir / "a.zip"));
        added = reader.Entries()[0].compressedSize;
    }
    uint32_t apart = 0;
    ASSERT_EQ(half + half, ZipInParts(dir, half + half, {8 * 1024}, &apart));
    EXPECT_EQ(apart, added);
}

TEST(ZipComponent, FailedAddDeletesTheArchive) {
    ScratchDir dir;
    v_zipfile zip;
    ASSERT_TRUE(zip.open_v_zipfile_forzip((dir / "a.zip").c_str()));
    EXPECT_FALSE(zip.add_a_file((dir / "missing").c_str()));
    EXPECT_FALSE(zip.close_v_zipfile_forzip());
    EXPECT_FALSE(pktest::Exists(dir / "a.zip"));
}

TEST(ZipComponent, UnzipsSubfoldersAndReportsTheFirstFile) {
    ScratchDir dir;
    pktest::WriteFile(dir / "a.zip", BuildZip({{"data/", ""}, {"PkUpdate.pk", "pk"}, {"data/b.dat", "bb", false}}));
    v_zipfile zip;
    ASSERT_TRUE(zip.open_v_zipfile_forunzip((dir / "a.zip").c_str()));
    zip.set_relate_path((dir.path() + "/").c_str());
    ASSERT_EQ(3, zip.get_filecount());
    for (int n = 1; n <= 3; ++n) EXPECT_TRUE(zip.unzip_zipblock_tofile(n, "")) << n;
    EXPECT_FALSE(zip.unzip_zipblock_tofile(4, ""));
    EXPECT_FALSE(zip.unzip_zipblock_tofile(0, ""));
    char name[v_zipfile::kRelateNameSize];
    ASSERT_TRUE(zip.retrieve_relate_filename(name));
    EXPECT_STREQ("PkUpdate.pk", name);
    EXPECT_EQ("bb", pktest::ReadFile(dir / "data/b.dat"));
}

TEST(ZipComponent, FileAddedUnderAFolderNameUnzipsIntoThatFolder) {
    ScratchDir dir;
    pktest::WriteFile(dir / "pk", "package");
    pktest::WriteFile(dir / "terrain", "terrain data");
    v_zipfile zip;
    ASSERT_TRUE(zip.open_v_zipfile_forzip((dir / "a.zip").c_str()));
    ASSERT_TRUE(zip.add_a_file((dir / "pk").c_str()));
    ASSERT_TRUE(zip.add_a_file_as((dir / "terrain").c_str(), "data/maps/terrain.dat"));
    ASSERT_TRUE(zip.close_v_zipfile_forzip());
    ASSERT_TRUE(zip.open_v_zipfile_forunzip((dir / "a.zip").c_str()));
    pktest::ScratchDir out;
    zip.set_relate_path((out.path() + "/").c_str());
    ASSERT_EQ(2, zip.get_filecount());
    for (int n = 1; n <= 2; ++n) EXPECT_TRUE(zip.unzip_zipblock_tofile(n, "")) << n;
    zip.close_v_zipfile();
    EXPECT_EQ("terrain data", pktest::ReadFile(out / "data/maps/terrain.dat"));

    // A name that would leave the folder it is unzipped into spoils the archive.
    for (const char* bad : {"../x", "data/", "C:x", ""}) {
        ASSERT_TRUE(zip.open_v_zipfile_forzip((dir / "b.zip").c_str()));
        EXPECT_FALSE(zip.add_a_file_as((dir / "pk").c_str(), bad)) << bad;
        EXPECT_FALSE(zip.close_v_zipfile_forzip()) << bad;
        EXPECT_FALSE(pktest::Exists(dir / "b.zip")) << bad;
    }
}

TEST(ZipComponent, NeverWritesOutsideTheRelatedFolder) {
    ScratchDir dir;
    pktest::WriteFile(dir / "a.zip", BuildZip({{"../escape.txt", "x"}, {"/tmp/abs.txt", "x"}, {"C:evil", "x"},
                                              {"in/../../up.txt", "x"}}));
    const std::string inner = dir / "inner";
    ASSERT_EQ(0, mkdir(inner.c_str(), 0777));
    v_zipfile zip;
    ASSERT_TRUE(zip.open_v_zipfile_forunzip((dir / "a.zip").c_str()));
    zip.set_relate_path((inner + "/").c_str());
    for (int n = 1; n <= 4; ++n) EXPECT_FALSE(zip.unzip_zipblock_tofile(n, "")) << n;
    EXPECT_EQ((std::vector<std::string>{"a.zip", "inner"}), pktest::ListFolder(dir.path()));
    EXPECT_TRUE(pktest::ListFolder(inner).empty());
    char name[v_zipfile::kRelateNameSize];
    EXPECT_FALSE(zip.retrieve_relate_filename(name));
    EXPECT_STREQ("", name);
}

TEST(ZipComponent, RefusesToOverwriteTheArchiveItself) {
    ScratchDir dir;
    const std::string archive = BuildZip({{"a.zip", "replacement"}});
    pktest::WriteFile(dir / "a.zip", archive);
    v_zipfile zip;
    ASSERT_TRUE(zip.open_v_zipfile_forunzip((dir / "a.zip").c_str()));
    zip.set_relate_path(dir.path().c_str());  // without trailing separator
    EXPECT_FALSE(zip.unzip_zipblock_tofile(1, ""));
    zip.close_v_zipfile();
    EXPECT_EQ(archive, pktest::ReadFile(dir / "a.zip"));
}

TEST(ZipComponent, CorruptEntryLeavesNoFile) {
    ScratchDir dir;
    std::string archive = BuildZip({{"f.bin", std::string(5000, 'q')}});
    archive[30 + 5 + 2] ^= 0x55;  // inside the deflated data
    pktest::WriteFile(dir / "a.zip", archive);
    v_zipfile zip;
    ASSERT_TRUE(zip.open_v_zipfile_forunzip((dir / "a.zip").c_str()));
    zip.set_relate_path((dir.path() + "/").c_str());
    EXPECT_FALSE(zip.unzip_zipblock_tofile(1, ""));
    EXPECT_FALSE(pktest::Exists(dir / "f.bin"));
}

TEST(ZipReaderChecks, CrcMismatchOfStoredData) {
    std::string archive = BuildZip({{"f", "hello", false}});
    archive[30 + 1] = 'H';
    ScratchDir dir;
    pktest::WriteFile(dir / "a.zip", archive);
    vzip::ZipReader reader;
    ASSERT_EQ(vzip::ZipStatus::Ok, reader.Open(dir / "a.zip"));
    vzip::ZipStatus status;
    ExtractAll(reader, 0, &status);
    EXPECT_EQ(vzip::ZipStatus::CorruptData, status);
}

TEST(ZipReaderChecks, DataLongerThanDeclaredStopsAtTheDeclaredSize) {
    std::string archive = BuildZip({{"f", std::string(1 << 20, 'a')}});
    vzip::Put32(reinterpret_cast<uint8_t*>(&archive[22]), 10);  // local size, not used
    size_t central = archive.size() - 22 - 46 - 1;
    vzip::Put32(reinterpret_cast<uint8_t*>(&archive[central + 24]), 10);
    ScratchDir dir;
    pktest::WriteFile(dir / "a.zip", archive);
    vzip::ZipReader reader;
    ASSERT_EQ(vzip::ZipStatus::Ok, reader.Open(dir / "a.zip"));
    vzip::ZipStatus status;
    EXPECT_LE(ExtractAll(reader, 0, &status).size(), 10u + 65536u);
    EXPECT_EQ(vzip::ZipStatus::CorruptData, status);
}

TEST(ZipReaderChecks, EveryTruncationIsRefused) {
    const std::string archive = BuildZip({{"one", "1111"}, {"two", "2222", false}});
    ScratchDir dir;
    for (size_t cut = 0; cut < archive.size(); ++cut) {
        pktest::WriteFile(dir / "t.zip", archive.substr(0, cut));
        vzip::ZipReader reader;
        EXPECT_NE(vzip::ZipStatus::Ok, reader.Open(dir / "t.zip")) << cut;
    }
}

TEST(ZipReaderChecks, DirectoryPointingPastItsEndIsRefused) {
    std::string archive = BuildZip({{"one", "1111"}});
    vzip::Put32(reinterpret_cast<uint8_t*>(&archive[archive.size() - 6]), 0x7FFFFFFF);
    ScratchDir dir;
    pktest::WriteFile(dir / "a.zip", archive);
    vzip::ZipReader reader;
    EXPECT_EQ(vzip::ZipStatus::BadDirectory, reader.Open(dir / "a.zip"));
}

TEST(ZipComponent, AssignmentCopiesTheFolderButNotTheArchive) {
    ScratchDir dir;
    pktest::WriteFile(dir / "a.zip", BuildZip({{"f", "x"}}));
    v_zipfile source, target;
    ASSERT_TRUE(source.open_v_zipfile_forunzip((dir / "a.zip").c_str()));
    source.set_relate_path((dir.path() + "/").c_str());
    target = source;
    EXPECT_EQ(0, target.get_filecount());
    ASSERT_TRUE(target.open_v_zipfile_forunzip((dir / "a.zip").c_str()));
    EXPECT_TRUE(target.unzip_zipblock_tofile(1, ""));  // into the copied folder
    EXPECT_EQ("x", pktest::ReadFile(dir / "f"));
}

}  // namespace
