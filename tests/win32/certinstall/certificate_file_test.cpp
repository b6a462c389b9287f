#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CertificateFile.h"

using namespace trustfit;

namespace {

class CertificateFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[MAX_PATH];
        ::GetTempPathA(sizeof dir, dir);
        m_path = std::string(dir) + "certinstall_test_" + std::to_string(::GetCurrentProcessId()) + ".p7b";
    }
    void TearDown() override { ::DeleteFileA(m_path.c_str()); }

    void Write(const std::string& bytes) {
        fw::ScopedFile f(::CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(f);
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    }

    static std::string SystemText(DWORD code) {
        ::SetLastError(code);
        return FormatLastError().data();
    }

    std::string m_path;
    ProcessHeapBlock m_block;
    ErrorText m_reason{};
};

}  // namespace

TEST_F(CertificateFileTest, ReadsTheWholeFile) {
    // Bigger than one 64 KiB read chunk, with NUL bytes inside.
    const std::string bytes = std::string("\x30\x82\x00\x00\x00\xFF", 6) + std::string(70000, '\x5A');
    Write(bytes);
    ASSERT_EQ(FileStep::Done, ReadCertificateFile(m_path, m_block, m_reason));
    ASSERT_EQ(bytes.size(), m_block.size());
    EXPECT_EQ(0, std::memcmp(bytes.data(), m_block.data(), bytes.size()));
}

TEST_F(CertificateFileTest, EmptyFileIsReadAsEmpty) {
    Write("");
    EXPECT_EQ(FileStep::Done, ReadCertificateFile(m_path, m_block, m_reason));
    EXPECT_EQ(0u, m_block.size());
}

TEST_F(CertificateFileTest, MissingFileFailsToOpenWithTheSystemReason) {
    EXPECT_EQ(FileStep::Open, ReadCertificateFile(m_path, m_block, m_reason));
    EXPECT_EQ(SystemText(ERROR_FILE_NOT_FOUND), m_reason.data());
}

TEST_F(CertificateFileTest, FileHeldOpenElsewhereFailsToOpen) {
    Write("x");
    // The installer opens without sharing, so another open handle refuses it.
    fw::ScopedFile other(::CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                       nullptr));
    ASSERT_TRUE(other);
    EXPECT_EQ(FileStep::Open, ReadCertificateFile(m_path, m_block, m_reason));
    EXPECT_EQ(SystemText(ERROR_SHARING_VIOLATION), m_reason.data());
}
