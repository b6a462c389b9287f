// The download worker as the dialog sees it: the messages it posts, counted
// on a message-only window, and the package file it leaves (or does not).
#include "loopback_server.h"

#include "ArchiveDigest.h"
#include "CryptoSignature.h"
#include "DownloadThread.h"
#include "UpdaterMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

struct Reports {
    std::vector<int> progress;
    int done = 0;
    int failed = 0;
    int why = -1;  // the failure's UpdateFailure
};

class DownloadThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "vantor-download-test-" + std::to_string(::GetCurrentProcessId()) + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        m_download.SetNotifyWindow(m_window);
        m_download.SetTargetFolder(m_folder);
    }
    void TearDown() override {
        m_download.Stop();
        ::DeleteFileA(Package().c_str());
        ::RemoveDirectoryA(m_folder.c_str());
        ::DestroyWindow(m_window);
    }

    std::string Package() const { return m_folder + "p.vpk"; }
    bool PackageExists() const { return ::GetFileAttributesA(Package().c_str()) != INVALID_FILE_ATTRIBUTES; }

    // Takes the worker's messages until its final one and its thread's end,
    // then whatever else is still queued.
    Reports Run(const std::string& url) {
        Reports reports;
        HANDLE thread = m_download.Start(url);
        EXPECT_NE(nullptr, thread);
        MSG msg;
        while (reports.done + reports.failed == 0 && ::GetMessageA(&msg, m_window, 0, 0) > 0) Take(msg, reports);
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 30000));
        while (::PeekMessageA(&msg, m_window, 0, 0, PM_REMOVE)) Take(msg, reports);
        m_download.CloseThreadHandle();
        return reports;
    }

    static void Take(const MSG& msg, Reports& reports) {
        if (msg.message != WM_UPDATE_NOTIFY) return;
        if (msg.wParam == UPDATE_PROGRESS) reports.progress.push_back(static_cast<int>(msg.lParam));
        if (msg.wParam == UPDATE_DONE) ++reports.done;
        if (msg.wParam == UPDATE_FAILED) {
            ++reports.failed;
            reports.why = static_cast<int>(msg.lParam);
        }
    }

    HWND m_window = nullptr;
    std::string m_folder;
    CDownloadThread m_download;
};

std::string Body(size_t size) {
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>(i * 7 + i / 1024);
    return body;
}

// An archive of size bytes in all, ending in an end record whose comment is a
// signature block of the build's development key, which the worker carries.
std::string SignedArchive(size_t size) {
    std::ifstream keyFile(VANTOR_DEVELOPMENT_KEY, std::ios::binary);
    std::ostringstream keyText;
    keyText << keyFile.rdbuf();
    vantor::DerBytes privateKey, publicKey;
    EXPECT_TRUE(vantor::RsaPrivateKeyOfPem(keyText.str(), privateKey));
    EXPECT_TRUE(vantor::PublicKeyInfoOfPrivateKey(privateKey, publicKey));
    std::string unsigned_ = Body(size) + std::string("PK\x05\x06", 4) + std::string(18, '\0');
    vantor::ArchiveDigest digest;
    digest.Add(unsigned_.data(), unsigned_.size());
    vantor::PackageSignature signature{vantor::KeyIdOf(publicKey), {}};
    std::string error;
    EXPECT_TRUE(vantor::SignDigest(privateKey, digest.Finish().digest, signature.signature, error)) << error;
    const std::string block = vantor::FormatSignatureBlock({signature});
    std::string archive = unsigned_.substr(0, unsigned_.size() - 2);
    archive += static_cast<char>(block.size() & 0xff);
    archive += static_cast<char>(block.size() >> 8);
    archive += block;
    return archive;
}

}  // namespace

// 2 MiB is 2048 chunks: one message per chunk would be 2048 messages.
TEST_F(DownloadThreadTest, PostsProgressOnlyWhenThePercentageChangesThenOneDone) {
    const std::string body = SignedArchive(2 << 20);
    LoopbackServer server;
    server.Serve({{"HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n"},
                  {body.substr(0, body.size() / 2), 50},
                  {body.substr(body.size() / 2)}});
    Reports reports = Run(server.Url("/dir/p.vpk"));

    EXPECT_EQ(1, reports.done);
    EXPECT_EQ(0, reports.failed);
    ASSERT_FALSE(reports.progress.empty());
    EXPECT_LE(reports.progress.size(), 101u);
    EXPECT_TRUE(std::is_sorted(reports.progress.begin(), reports.progress.end()));
    EXPECT_EQ(100, reports.progress.back());
    std::ifstream file(Package(), std::ios::binary);
    EXPECT_EQ(body, std::string(std::istreambuf_iterator<char>(file), {}));
}

TEST_F(DownloadThreadTest, UnsignedPackagesFailAsNotTheOperatorsAndLeaveNoFile) {
    for (const std::string& answer : {std::string("HTTP/1.1 200 OK\r\n\r\nignored"),  // no Content-Length: empty
                                      "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n" + Body(5000)}) {
        LoopbackServer server;
        server.Serve({{answer}});
        Reports reports = Run(server.Url("/p.vpk"));
        EXPECT_EQ(0, reports.done);
        EXPECT_EQ(1, reports.failed);
        EXPECT_EQ(FAILED_NOT_SIGNED, reports.why);
        EXPECT_FALSE(PackageExists());
    }
}

TEST_F(DownloadThreadTest, ACutBodyFailsOnceAndLeavesNoFile) {
    LoopbackServer server;
    server.Serve({{"HTTP/1.1 200 OK\r\nContent-Length: 10000\r\n\r\n" + Body(5000)}});
    Reports reports = Run(server.Url("/p.vpk"));
    EXPECT_EQ(1, reports.failed);
    EXPECT_EQ(0, reports.done);
    EXPECT_FALSE(PackageExists());
}

TEST_F(DownloadThreadTest, NamesThatLeaveTheFolderAndOtherSchemesFail) {
    for (const char* url : {"http://127.0.0.1:1/..", "https://127.0.0.1/p.vpk", "http://127.0.0.1"}) {
        Reports reports = Run(url);
        EXPECT_EQ(1, reports.failed) << url;
        EXPECT_TRUE(reports.progress.empty()) << url;
    }
}

TEST_F(DownloadThreadTest, StopDeletesThePartialFileAndPostsNothing) {
    LoopbackServer server;
    server.Serve({{"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + Body(5000)}}, 3000);
    ASSERT_NE(nullptr, m_download.Start(server.Url("/p.vpk")));
    MSG msg;
    ASSERT_GT(::GetMessageA(&msg, m_window, 0, 0), 0);  // the first progress: the file is open
    m_download.Stop();
    Reports reports;
    while (::PeekMessageA(&msg, m_window, 0, 0, PM_REMOVE)) Take(msg, reports);
    EXPECT_EQ(0, reports.done + reports.failed);
    EXPECT_FALSE(PackageExists());
}
