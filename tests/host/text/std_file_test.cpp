#include "io/StdFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>

using vantor::StdFile;

namespace {

bool IsOpenDescriptor(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }

}  // namespace

TEST(StdFile, DestructorClosesTheStream) {
    int fd = -1;
    {
        StdFile file = StdFile::Open(TempPath("stdfile-a").c_str(), "wb");
        ASSERT_TRUE(file);
        fd = ::fileno(file.get());
        ASSERT_TRUE(IsOpenDescriptor(fd));
    }
    EXPECT_FALSE(IsOpenDescriptor(fd));
}

TEST(StdFile, MoveHandsOverTheStreamOnce) {
    StdFile first = StdFile::Open(TempPath("stdfile-b").c_str(), "wb");
    FILE* raw = first.get();
    const int fd = ::fileno(raw);
    StdFile second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(raw, second.get());
    StdFile third;
    third = std::move(second);
    EXPECT_EQ(raw, third.get());
    EXPECT_TRUE(first.Close()) << "nothing to close";
    EXPECT_TRUE(IsOpenDescriptor(fd));
    EXPECT_TRUE(third.Close());
    EXPECT_FALSE(third);
    EXPECT_FALSE(IsOpenDescriptor(fd));
    EXPECT_TRUE(third.Close()) << "a second close does nothing";
}

TEST(StdFile, MoveAssignmentClosesTheStreamItHeld) {
    StdFile held = StdFile::Open(TempPath("stdfile-c").c_str(), "wb");
    const int fd = ::fileno(held.get());
    held = StdFile::Open(TempPath("stdfile-d").c_str(), "wb");  // opened while fd is still held
    ASSERT_NE(fd, ::fileno(held.get()));
    EXPECT_FALSE(IsOpenDescriptor(fd));
}

TEST(StdFile, CloseReportsAFailedFlush) {
    // The write lands in the stream's buffer; only fclose finds the device full.
    StdFile full = StdFile::Open("/dev/full", "wb");
    if (!full) GTEST_SKIP() << "no /dev/full";
    ASSERT_TRUE(full.WriteAll("data", 4));
    EXPECT_FALSE(full.Close());
    EXPECT_FALSE(full);
}

TEST(StdFile, SizeSeekAndTell) {
    const std::string path = TempPath("stdfile-e");
    {
        StdFile out = StdFile::Open(path.c_str(), "wb");
        ASSERT_TRUE(out.WriteAll("0123456789", 10));
        ASSERT_TRUE(out.Close());
    }
    StdFile in = StdFile::Open(path.c_str(), "rb");
    EXPECT_EQ(10, in.Size());
    EXPECT_EQ(10, in.Tell()) << "Size leaves the position at the end";
    ASSERT_TRUE(in.Seek(7));
    char tail[3] = {};
    ASSERT_TRUE(in.ReadExact(tail, 3));
    EXPECT_EQ(std::string("789"), std::string(tail, 3));
    EXPECT_FALSE(in.ReadExact(tail, 1)) << "nothing left";
    std::remove(path.c_str());
}

TEST(StdFile, OpenOfAMissingFileGivesAnEmptyOwner) {
    StdFile none = StdFile::Open(TempPath("no-such-folder/x").c_str(), "rb");
    EXPECT_FALSE(none);
    EXPECT_EQ(nullptr, none.get());
}
