// The identity of every deliverable as Windows reads it: the version resource
// through the version API, the manifest as the loader finds it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Deliverable {
    const char* relativePath;
    const char* level;  // requested execution level; null for a DLL
};

const Deliverable kDeliverables[] = {
    {"VantorLogin.exe", "requireAdministrator"},
    {"VantorUpdate.exe", "requireAdministrator"},
    {"certs\\Trustfit.exe", "requireAdministrator"},
    {"Parcelkit.dll", nullptr},
};

std::string ImagePath(const char* relative) { return std::string(VANTOR_IMAGE_PATH) + "\\" + relative; }

std::vector<char> VersionBlock(const std::string& path) {
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) block.clear();
    return block;
}

std::string VersionString(std::vector<char>& block, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    std::string query = std::string("\\StringFileInfo\\080404b0\\") + name;
    if (!::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return "<missing>";
    return std::string(value);
}

// The text of the manifest resource (type 24, id 1), empty when there is none.
std::string Manifest(const std::string& path) {
    HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "<not loadable>";
    std::string text;
    if (HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        HGLOBAL loaded = ::LoadResource(module, found);
        const char* bytes = static_cast<const char*>(::LockResource(loaded));
        if (bytes) text.assign(bytes, ::SizeofResource(module, found));
    }
    ::FreeLibrary(module);
    return text;
}

class Identity : public ::testing::TestWithParam<Deliverable> {};

TEST_P(Identity, VersionResourceNamesTheProductAndTheOneVersion) {
    std::string path = ImagePath(GetParam().relativePath);
    std::vector<char> block = VersionBlock(path);
    ASSERT_FALSE(block.empty()) << path << " has no version resource";

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    char numbers[64];
    snprintf(numbers, sizeof numbers, "%u.%u.%u.%u", unsigned{HIWORD(fixed->dwFileVersionMS)},
             unsigned{LOWORD(fixed->dwFileVersionMS)}, unsigned{HIWORD(fixed->dwFileVersionLS)},
             unsigned{LOWORD(fixed->dwFileVersionLS)});
    EXPECT_STREQ(VANTOR_EXPECTED_VERSION, numbers);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);

    EXPECT_EQ("Playmoor", VersionString(block, "CompanyName"));
    EXPECT_EQ("Vantor Online", VersionString(block, "ProductName"));
    EXPECT_EQ(VANTOR_EXPECTED_VERSION, VersionString(block, "FileVersion"));
    EXPECT_EQ(VANTOR_EXPECTED_VERSION, VersionString(block, "ProductVersion"));
    std::string fileName = GetParam().relativePath;
    fileName = fileName.substr(fileName.find_last_of('\\') + 1);
    EXPECT_EQ(fileName, VersionString(block, "OriginalFilename"));
    EXPECT_NE("<missing>", VersionString(block, "FileDescription"));
}

TEST_P(Identity, ProgramsRequestTheirLevelAndKeepTheClassicControls) {
    std::string manifest = Manifest(ImagePath(GetParam().relativePath));
    if (!GetParam().level) {
        EXPECT_EQ("", manifest) << "a DLL runs with its caller's rights";
        return;
    }
    EXPECT_NE(std::string::npos, manifest.find(std::string("level=\"") + GetParam().level + "\"")) << manifest;
    // The bitmaps are drawn for the classic controls: no version 6 common controls.
    EXPECT_EQ(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls")) << manifest;
}

INSTANTIATE_TEST_SUITE_P(EveryDeliverable, Identity, ::testing::ValuesIn(kDeliverables),
                         [](const ::testing::TestParamInfo<Deliverable>& info) {
                             std::string name = info.param.relativePath;
                             name = name.substr(name.find_last_of('\\') + 1);
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
