#include "framework/FileIdentity.h"
#include "framework/ModuleFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

bool Same(const fw::FileIdentity& a, const fw::FileIdentity& b) { return a.volume == b.volume && a.index == b.index; }

}  // namespace

TEST(FileIdentity, OtherSpellingsOfOneFileAreTheSameFile) {
    const std::string folder = fw::GetModuleFolder();
    fw::FileIdentity plain, upper, dotted;
    ASSERT_TRUE(fw::GetFileIdentity((folder + "\\framework_test.exe").c_str(), plain));
    ASSERT_TRUE(fw::GetFileIdentity((folder + "\\FRAMEWORK_TEST.EXE").c_str(), upper));
    ASSERT_TRUE(fw::GetFileIdentity((folder + "\\.\\framework_test.exe").c_str(), dotted));
    EXPECT_TRUE(Same(plain, upper));
    EXPECT_TRUE(Same(plain, dotted));
}

TEST(FileIdentity, OtherFilesDifferAndMissingOnesHaveNone) {
    const std::string folder = fw::GetModuleFolder();
    fw::FileIdentity program, parent;
    ASSERT_TRUE(fw::GetFileIdentity((folder + "\\framework_test.exe").c_str(), program));
    ASSERT_TRUE(fw::GetFileIdentity(folder.c_str(), parent)) << "folders open too";
    EXPECT_FALSE(Same(program, parent));
    EXPECT_FALSE(fw::GetFileIdentity((folder + "\\no-such-file.bin").c_str(), program));
}
