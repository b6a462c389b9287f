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

// The rule is the system's own: a byte leads exactly when the system says so.
TEST(ModuleFolder, StepsByTheSystemCodePagesLeadBytes) {
    const vantor::LeadByteRule rule = fw::SystemLeadByteRule();
    for (unsigned c = 0; c < 256; ++c)
        EXPECT_EQ(::IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE, rule.IsLead(static_cast<unsigned char>(c))) << c;
}
