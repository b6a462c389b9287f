#include "logic/UpdateManifest.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(IsSafeManifestItem, RelativePathsInsideTheInstallationFolder) {
    for (const char* item : {"a.dll", "data\\b.dat", "data/b.dat", "a\\b\\c.txt", "a..b", ".config", "a.",
                             "\xb8\xfc\xd0\xc2\\\xce\xc4.dat" /* 更新\文.dat */,
                             "\x95\x5c.dat" /* trail byte 0x5C */, "\x95\x5c\\\x95\x5c.dat"}) {
        EXPECT_TRUE(IsSafeManifestItem(item)) << item;
    }
}

TEST(IsSafeManifestItem, RefusesWhatLeavesTheFolderOrNamesNoFile) {
    for (const char* item : {
             "",
             "..", "..\\x.dll", "a\\..\\..\\x.dll", "a\\..", "a/../x", ". .", "a\\...\\x", "a\\ \\x",
             "C:\\x", "C:x", "\\\\srv\\s\\x", "\\x", "/x",
             "a:stream", "a\\b:c",
             "a\\", "a\\\\b", "a//b",
             "a\tb", "a\r\nb", "a\x7f",
         }) {
        EXPECT_FALSE(IsSafeManifestItem(item)) << item;
    }
    EXPECT_FALSE(IsSafeManifestItem(std::string("a\0.dll", 6)));
}

}  // namespace
}  // namespace vantor
