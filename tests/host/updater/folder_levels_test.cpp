#include "logic/FolderLevels.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using Levels = std::vector<std::string>;

TEST(FolderLevels, DriveUncAndRelativePaths) {
    EXPECT_EQ((Levels{"C:\\a", "C:\\a\\b"}), FolderLevels("C:\\a\\b\\"));
    EXPECT_EQ((Levels{"C:\\a", "C:\\a\\b"}), FolderLevels("C:\\a\\b"));
    EXPECT_EQ((Levels{"\\\\srv\\share\\a", "\\\\srv\\share\\a\\b"}), FolderLevels("\\\\srv\\share\\a\\b"));
    EXPECT_EQ((Levels{"a", "a\\b"}), FolderLevels("a\\b"));
    EXPECT_EQ((Levels{"\\a", "\\a\\b"}), FolderLevels("\\a\\b"));
    EXPECT_EQ((Levels{"Z:/x", "Z:/x/Update"}), FolderLevels("Z:/x/Update/"));
    EXPECT_EQ((Levels{"C:\\a", "C:\\a\\\\b"}), FolderLevels("C:\\a\\\\b")) << "a doubled separator is no level";
}

TEST(FolderLevels, NothingToCreate) {
    for (const char* path : {"", "C:", "C:\\", "\\", "\\\\srv", "\\\\srv\\share", "\\\\srv\\share\\"})
        EXPECT_EQ(Levels{}, FolderLevels(path)) << path;
}

TEST(FolderLevels, GbkTrailByte5CIsNoSeparator) {
    // "\x95\x5c" is one character whose second byte is a backslash.
    EXPECT_EQ((Levels{"C:\\\x95\x5c", "C:\\\x95\x5c\\Update"}), FolderLevels("C:\\\x95\x5c\\Update\\"));
    EXPECT_EQ((Levels{"\\\\s\x95\x5c\\sh\x95\x5c\\a"}), FolderLevels("\\\\s\x95\x5c\\sh\x95\x5c\\a"));
}

}  // namespace
}  // namespace vantor
