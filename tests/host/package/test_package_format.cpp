#include <gtest/gtest.h>

#include <cstring>

#include "PackageFormat.h"
#include "PathText.h"
#include "text/GbkText.h"

namespace {

// GBK: 0x81..0xFE start a two-byte character whose second byte may be 0x5C ("\").
const pk::Platform kGbk{'\\', &vantor::GbkCharLength, nullptr};
const pk::Platform kSingleByte{'\\', nullptr, nullptr};

TEST(PackageHeader, EncodesMagicNulPaddingAndCountLittleEndian) {
    uint8_t h[pk::kHeaderSize];
    std::memset(h, 0xCC, sizeof h);
    pk::EncodeHeader(0x01020304, h);
    EXPECT_EQ(0, std::memcmp(h, "ParcelkitPk\0", 12));
    for (size_t i = 12; i < 256; ++i) ASSERT_EQ(0, h[i]) << i;
    EXPECT_EQ(0x04, h[256]);
    EXPECT_EQ(0x03, h[257]);
    EXPECT_EQ(0x02, h[258]);
    EXPECT_EQ(0x01, h[259]);
}

TEST(PackageHeader, IgnoresBytesAfterTheMagicNul) {
    uint8_t h[pk::kHeaderSize];
    pk::EncodeHeader(3, h);
    std::memset(h + 12, 'x', 244);
    int32_t count = 0;
    EXPECT_EQ(pk::PackageStatus::Ok, pk::DecodeHeader(h, &count));
    EXPECT_EQ(3, count);
}

TEST(PackageHeader, RefusesMagicThatDiffersUpToItsNul) {
    const char* wrong[] = {"ParcelkitPK", "ParcelkitP", "ParcelkitPkX", "parcelkitPk"};
    for (const char* magic : wrong) {
        uint8_t h[pk::kHeaderSize] = {};
        std::memcpy(h, magic, std::strlen(magic));
        int32_t count = 0;
        EXPECT_EQ(pk::PackageStatus::BadMagic, pk::DecodeHeader(h, &count)) << magic;
    }
}

TEST(PackageEntry, EncodesNameOffsetAndSize) {
    uint8_t e[pk::kEntrySize];
    pk::EncodeEntry(pk::PackageEntry{"a.dll", 1052, 10}, e);
    EXPECT_EQ(0, std::memcmp(e, "a.dll\0", 6));
    EXPECT_EQ(0, std::memcmp(e + 256, "\x1c\x04\x00\x00\x0a\x00\x00\x00", 8));
}

TEST(PackageEntry, RefusesNameFieldWithoutNul) {
    uint8_t e[pk::kEntrySize];
    std::memset(e, 'n', sizeof e);
    std::memset(e + 256, 0, 8);
    pk::PackageEntry entry;
    EXPECT_EQ(pk::PackageStatus::BadName, pk::DecodeEntry(e, 1000, &entry));
}

TEST(PackageEntry, RefusesDataOutsideThePackage) {
    struct { int32_t offset, size; pk::PackageStatus expected; } cases[] = {
        {100, 900, pk::PackageStatus::Ok},  // ends exactly at the end
        {100, 901, pk::PackageStatus::EntryOutsideFile},
        {1000, 0, pk::PackageStatus::Ok},
        {1001, 0, pk::PackageStatus::EntryOutsideFile},
        {-1, 0, pk::PackageStatus::EntryOutsideFile},
        {0, -1, pk::PackageStatus::EntryOutsideFile},
        {INT32_MAX, INT32_MAX, pk::PackageStatus::EntryOutsideFile},  // no 32-bit wrap
    };
    for (const auto& c : cases) {
        uint8_t e[pk::kEntrySize];
        pk::EncodeEntry(pk::PackageEntry{"f", c.offset, c.size}, e);
        pk::PackageEntry entry;
        EXPECT_EQ(c.expected, pk::DecodeEntry(e, 1000, &entry)) << c.offset << "+" << c.size;
    }
}

TEST(PackageLayout, ThreeFilesFollowTheTable) {
    std::vector<pk::PackageEntry> entries;
    ASSERT_TRUE(pk::LayOutEntries({"a.dll", "b.txt", "c.bin"}, {10, 0, 2000}, &entries));
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(1052, entries[0].offset);
    EXPECT_EQ(1062, entries[1].offset);
    EXPECT_EQ(1062, entries[2].offset);
    EXPECT_EQ(2000, entries[2].size);
}

TEST(PackageLayout, RefusesDataBeyondTheSigned32BitRange) {
    std::vector<pk::PackageEntry> entries;
    const int64_t room = INT32_MAX - 260 - 264;  // one entry: data may end at INT32_MAX
    EXPECT_TRUE(pk::LayOutEntries({"a"}, {room}, &entries));
    EXPECT_FALSE(pk::LayOutEntries({"a"}, {room + 1}, &entries));
    EXPECT_FALSE(pk::LayOutEntries({"a", "b"}, {INT32_MAX / 2, INT32_MAX / 2}, &entries));
    EXPECT_FALSE(pk::LayOutEntries({"a"}, {int64_t(1) << 32}, &entries));
}

TEST(PackageName, AcceptsBareNamesOnly) {
    for (const char* ok : {"a.dll", "updateFile.xml", ".hidden", "a..b", "CONFIG.ini", "COM10"})
        EXPECT_TRUE(pk::IsSafeBareName(ok, nullptr)) << ok;
    for (const char* bad : {"", ".", "..", "...", ".. ", "a\\b", "a/b", "..\\x", "C:x", "x:stream",
                            "CON", "nul.txt", "com1", "LPT9.dat", "a\tb"})
        EXPECT_FALSE(pk::IsSafeBareName(bad, nullptr)) << bad;
    EXPECT_TRUE(pk::IsSafeBareName(std::string(255, 'n'), nullptr));
    EXPECT_FALSE(pk::IsSafeBareName(std::string(256, 'n'), nullptr));
}

TEST(PackageName, TwoByteCharacterEndingIn5CIsNoSeparator) {
    const std::string name = "\xD5\x5C.txt";  // one GBK character, trail byte 0x5C
    EXPECT_TRUE(pk::IsSafeBareName(name, &vantor::GbkCharLength));
    EXPECT_FALSE(pk::IsSafeBareName(name, nullptr));
    // A lead byte before a byte that cannot be a trail byte leaves that byte a character of its own.
    EXPECT_FALSE(pk::IsSafeBareName("\xD5/x", &vantor::GbkCharLength));
    EXPECT_FALSE(pk::IsSafeBareName("\xD5:x", &vantor::GbkCharLength));
}

TEST(FileList, SplitsAtEveryBarKeepingEmptyPieces) {
    std::vector<std::string> paths;
    ASSERT_TRUE(pk::SplitFileList("a||b|", 100, &paths));
    EXPECT_EQ((std::vector<std::string>{"a", "", "b", ""}), paths);
}

TEST(FileList, AllowsAtMost100Paths) {
    std::string list = "p";
    for (int i = 1; i < 100; ++i) list += "|p";
    std::vector<std::string> paths;
    EXPECT_TRUE(pk::SplitFileList(list, 100, &paths));
    EXPECT_EQ(100u, paths.size());
    EXPECT_FALSE(pk::SplitFileList(list + "|p", 100, &paths));
}

TEST(PathParts, NameAndFolderAtTheLastSeparator) {
    EXPECT_EQ("c.bin", pk::FileNameOf("C:\\x\\y/c.bin", kSingleByte));
    EXPECT_EQ("C:\\x\\y/", pk::FolderOf("C:\\x\\y/c.bin", kSingleByte));
    EXPECT_EQ("plain", pk::FileNameOf("plain", kSingleByte));
    EXPECT_EQ("", pk::FolderOf("plain", kSingleByte));
    EXPECT_EQ("", pk::FileNameOf("C:\\dir\\", kSingleByte));
}

TEST(PathParts, TwoByteCharacterEndingIn5CStaysInTheName) {
    const std::string path = "C:\\d\\\xD5\x5C.pk";
    EXPECT_EQ("\xD5\x5C.pk", pk::FileNameOf(path, kGbk));
    EXPECT_EQ("C:\\d\\", pk::FolderOf(path, kGbk));
}

}  // namespace
