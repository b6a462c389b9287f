// The real Parcelkit.dll from the installation image, loaded by full path the way
// the updater loads it, with v_zipfile.dll found beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using PackFunction = int (*)(const char*, const char*);

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveTree(const std::string& folder) {
    for (const std::string& name : ListFolder(folder)) {
        std::string path = folder + "\\" + name;
        if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
        else DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

std::string Fixture(const char* name) {
    const char* data = std::getenv("VANTOR_TEST_DATA");
    return std::string(data ? data : ".") + "\\" + name;
}

class ParcelkitDll : public ::testing::Test {
protected:
    void SetUp() override {
        std::string library = VANTOR_PARCELKIT_PATH;
        std::replace(library.begin(), library.end(), '/', '\\');
        m_module = LoadLibraryExA(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        ASSERT_NE(nullptr, m_module) << library;
        compose = reinterpret_cast<PackFunction>(reinterpret_cast<void*>(GetProcAddress(m_module, "ComposeFile")));
        decompose =
            reinterpret_cast<PackFunction>(reinterpret_cast<void*>(GetProcAddress(m_module, "DecomposeFile")));
        ASSERT_NE(nullptr, compose);
        ASSERT_NE(nullptr, decompose);
        char base[MAX_PATH], file[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        GetTempFileNameA(base, "pkw", 0, file);
        DeleteFileA(file);
        root = file;
        CreateDirectoryA(root.c_str(), nullptr);
        CreateDirectoryA((root + "\\up").c_str(), nullptr);
        CreateDirectoryA((root + "\\target").c_str(), nullptr);
    }
    void TearDown() override {
        RemoveTree(root);
        if (m_module) FreeLibrary(m_module);
    }
    std::string At(const std::string& relative) const { return root + "\\" + relative; }

    PackFunction compose = nullptr;
    PackFunction decompose = nullptr;
    std::string root;

private:
    HMODULE m_module = nullptr;
};

TEST_F(ParcelkitDll, ExportsTheTwoFunctionsAndTheZipAssignment) {
    HMODULE module = GetModuleHandleA("Parcelkit.dll");
    EXPECT_NE(nullptr, GetProcAddress(module, "_ZN9v_zipfileaSERKS_"));
}

TEST_F(ParcelkitDll, ComposesAndDecomposesThreeFiles) {
    WriteFile(At("a.dll"), "0123456789");
    WriteFile(At("b.txt"), "");
    WriteFile(At("c.bin"), std::string(2000, 'c'));
    ASSERT_EQ(1, compose((At("a.dll") + "|" + At("b.txt") + "|" + At("c.bin")).c_str(), At("up\\x.dat").c_str()));
    EXPECT_EQ((std::vector<std::string>{"x.datzip"}), ListFolder(At("up")));
    // A target folder with a trailing backslash gives a doubled separator, which works.
    ASSERT_EQ(1, decompose(At("up\\x.datzip").c_str(), (At("target") + "\\").c_str()));
    EXPECT_EQ((std::vector<std::string>{"a.dll", "b.txt", "c.bin"}), ListFolder(At("target")));
    EXPECT_EQ("0123456789", ReadFile(At("target\\a.dll")));
    EXPECT_EQ(std::string(2000, 'c'), ReadFile(At("target\\c.bin")));
    EXPECT_EQ((std::vector<std::string>{"x.datzip"}), ListFolder(At("up")));
}

TEST_F(ParcelkitDll, ComposesAndDecomposesAHundredFiles) {
    std::string list;
    std::vector<std::string> names, contents;
    for (int i = 0; i < 100; ++i) {
        names.push_back("f" + std::to_string(100 + i).substr(1) + ".bin");
        contents.push_back(std::string(size_t(i * 37 % 1500), char('A' + i % 26)) + std::to_string(i));
        WriteFile(At(names.back()), contents.back());
        list += (i ? "|" : "") + At(names.back());
    }
    ASSERT_EQ(1, compose(list.c_str(), At("up\\many.pk").c_str()));
    ASSERT_EQ(1, decompose(At("up\\many.pkzip").c_str(), At("target").c_str()));
    ASSERT_EQ(names, ListFolder(At("target")));
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(contents[i], ReadFile(At("target\\" + names[i]))) << i;
}

TEST_F(ParcelkitDll, ComposingAgainReplacesTheArchiveButNeverAListedFile) {
    WriteFile(At("a.dll"), "first");
    ASSERT_EQ(1, compose(At("a.dll").c_str(), At("up\\x.dat").c_str()));
    WriteFile(At("a.dll"), "second");
    ASSERT_EQ(1, compose(At("a.dll").c_str(), At("up\\x.dat").c_str()));  // over the earlier archive
    ASSERT_EQ(1, decompose(At("up\\x.datzip").c_str(), At("target").c_str()));
    EXPECT_EQ("second", ReadFile(At("target\\a.dll")));

    EXPECT_EQ(0, compose(At("a.dll").c_str(), At("a.dll").c_str()));
    EXPECT_EQ(0, compose(At("a.dllzip").c_str(), At("a.dll").c_str()));
    EXPECT_EQ("second", ReadFile(At("a.dll")));
}

TEST_F(ParcelkitDll, NullPackagePathSelectsPkUpdateBesideTheProgram) {
    WriteFile(At("a.dll"), "a");
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string archive = module;
    archive = archive.substr(0, archive.rfind('\\')) + "\\PkUpdate.pkzip";
    DeleteFileA(archive.c_str());
    ASSERT_EQ(1, compose(At("a.dll").c_str(), nullptr));
    EXPECT_TRUE(Exists(archive));
    EXPECT_FALSE(Exists(archive.substr(0, archive.size() - 3)));
    DeleteFileA(archive.c_str());
    EXPECT_EQ(0, compose(At("a.dll").c_str(), ""));
}

TEST_F(ParcelkitDll, DecomposesAnInfoZipArchiveWithAFurtherFile) {
    ASSERT_TRUE(CopyFileA(Fixture("three-infozip.zip").c_str(), At("up\\pk.zip").c_str(), FALSE));
    ASSERT_EQ(1, decompose(At("up\\pk.zip").c_str(), At("target").c_str()));
    EXPECT_EQ((std::vector<std::string>{"a.dll", "b.txt", "c.bin"}), ListFolder(At("target")));
    EXPECT_EQ(2000u, ReadFile(At("target\\c.bin")).size());
    EXPECT_EQ((std::vector<std::string>{"pk.zip", "readme.txt"}), ListFolder(At("up")));
}

TEST_F(ParcelkitDll, ZipEntriesLeavingTheArchiveFolderAreRefused) {
    ASSERT_TRUE(CopyFileA(Fixture("escape-zip.zip").c_str(), At("up\\pk.zip").c_str(), FALSE));
    EXPECT_EQ(0, decompose(At("up\\pk.zip").c_str(), At("target").c_str()));
    EXPECT_EQ((std::vector<std::string>{"target", "up"}), ListFolder(root));
    EXPECT_FALSE(Exists("C:\\zip-drive.txt"));
    EXPECT_FALSE(Exists("\\zip-root.txt"));
    EXPECT_TRUE(ListFolder(At("target")).empty());
}

TEST_F(ParcelkitDll, PackageEntriesLeavingTheTargetFolderAreRefused) {
    ASSERT_TRUE(CopyFileA(Fixture("escape-inner.zip").c_str(), At("up\\pk.zip").c_str(), FALSE));
    EXPECT_EQ(0, decompose(At("up\\pk.zip").c_str(), At("target").c_str()));
    EXPECT_EQ((std::vector<std::string>{"target", "up"}), ListFolder(root));
    EXPECT_TRUE(ListFolder(At("target")).empty());
    EXPECT_TRUE(Exists(At("up\\PkUpdate.pk")));  // the refused package stays
}

TEST_F(ParcelkitDll, ArchiveThatIsNoZipFails) {
    WriteFile(At("up\\pk.zip"), "not a zip");
    EXPECT_EQ(0, decompose(At("up\\pk.zip").c_str(), At("target").c_str()));
    EXPECT_EQ(0, decompose(At("up\\missing.zip").c_str(), At("target").c_str()));
    EXPECT_EQ(0, decompose(nullptr, At("target").c_str()));
}

}  // namespace
