#include "framework/ModuleFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

TEST(ModuleFolder, IsTheProgramPathCutBeforeItsLastBackslash) {
    const std::string path = fw::GetModulePath();
    ASSERT_FALSE(path.empty());
    const std::string folder = fw::GetModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE('\\', folder.back());
    EXPECT_EQ(folder + "\\framework_test.exe", path);
    // The folder is a real one: the program itself is found through it.
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((folder + "\\framework_test.exe").c_str()));
}
