#include "framework/Winsock.h"

#include "DownloadThread.h"

#include "ArchiveDigest.h"
#include "HttpSocket.h"
#include "PackageKeys.h"
#include "UpdaterMessages.h"
#include "framework/WorkerThread.h"
#include "logic/DownloadProgress.h"
#include "logic/DownloadUrl.h"
#include "text/DecimalText.h"

namespace {

constexpr int kReceiveTimeoutMs = 15000;
constexpr int kChunkSize = 1024;

// The package file being written; deleted unless the download completes.
class PartialPackage {
public:
    explicit PartialPackage(std::string path) : m_strPath(std::move(path)) {}
    ~PartialPackage() { Discard(); }
    PartialPackage(const PartialPackage&) = delete;
    PartialPackage& operator=(const PartialPackage&) = delete;

    bool Create() {
        m_file.reset(::CreateFileA(m_strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        return m_file.valid();
    }
    bool Write(const char* data, int size) {
        DWORD written = 0;
        return ::WriteFile(m_file.get(), data, static_cast<DWORD>(size), &written, nullptr) &&
               written == static_cast<DWORD>(size);
    }
    // Closes the complete file and keeps it; false when the close failed (it is then deleted).
    bool Keep() {
        HANDLE file = m_file.release();
        if (!::CloseHandle(file)) {
            ::DeleteFileA(m_strPath.c_str());
            return false;
        }
        m_bKept = true;
        return true;
    }
    void Discard() {
        if (m_bKept || !m_file) return;
        m_file.reset();
        ::DeleteFileA(m_strPath.c_str());  // a file that cannot be deleted is left
    }

private:
    std::string m_strPath;
    fw::ScopedFile m_file;
    bool m_bKept = false;
};

}  // namespace

void CDownloadThread::SetNotifyWindow(HWND window) { m_notify.SetWindow(window, WM_UPDATE_NOTIFY); }

HANDLE CDownloadThread::Start(const std::string& url) {
    m_nStopRequested = 0;
    m_strUrl = url;
    m_thread = fw::BeginWorkerThread([this] { return DownloadThreadProc(this); });
    return m_thread.get();
}

void CDownloadThread::Stop() {
    if (!m_thread) return;
    m_nStopRequested = 1;
    ::WaitForSingleObject(m_thread.get(), INFINITE);
    CloseThreadHandle();
}

void CDownloadThread::CloseThreadHandle() { m_thread.reset(); }

unsigned DownloadThreadProc(CDownloadThread* download) {
    const fw::CWindowNotify& notify = download->m_notify;
    const std::atomic<int>& stop = download->m_nStopRequested;
    auto fail = [&](UpdateFailure why = FAILED_QUIETLY) {
        notify.PostFinal(UPDATE_FAILED, why, &stop);
        return 0u;
    };

    // Addresses the worker cannot take apart, and package names that would
    // leave the Update folder, are failed downloads.
    vantor::DownloadAddress address;
    if (!vantor::SplitDownloadUrl(download->m_strUrl, address)) return fail();
    const std::string packageName = vantor::PackageNameOfUrl(download->m_strUrl);
    if (!vantor::IsSafePackageName(packageName)) return fail();

    CHttpSocket http;
    http.SetStopFlag(&stop);
    int requestLength = 0;
    if (!http.BuildGetRequest(address.hostField.c_str(), address.path.c_str(), requestLength)) return fail();
    http.CreateSocket();
    const bool connected = http.Connect(address.host.c_str(), address.port);
    if (stop) {
        http.Close();
        return 0;
    }
    if (!connected) {
        http.Close();
        return fail();
    }
    if (!http.SetTimeout(kReceiveTimeoutMs, false) || !http.SendRequest()) {
        http.Close();
        return fail();
    }
    if (stop) {  // the header read gave up for it
        http.Close();
        return 0;
    }

    char lengthText[50] = {};
    const int found = http.GetHeaderValue("Content-Length", lengthText, sizeof lengthText);
    const uint32_t total = found < 0 ? 0 : static_cast<uint32_t>(vantor::DecimalPrefixValue(lengthText));

    PartialPackage package(download->m_strTargetFolder + packageName);
    if (!package.Create()) {
        http.Close();
        return fail(FAILED_FILE_NOT_CREATED);
    }

    // The signatures' digest is taken as the bytes are written: no second read of the file.
    vantor::ArchiveDigest digest;
    vantor::ProgressGate gate;
    uint32_t received = 0;
    char chunk[kChunkSize];
    while (received < total) {
        if (stop) {
            http.Close();
            return 0;  // the partial file goes with package
        }
        const int n = http.Receive(chunk, kChunkSize);
        // A full disk is a failed download too: nothing half-written is kept.
        if (n <= 0 || !package.Write(chunk, n)) {
            http.Close();
            package.Discard();
            return fail();
        }
        digest.Add(chunk, static_cast<size_t>(n));
        received += static_cast<uint32_t>(n);
        const int percent = vantor::ProgressPercent(received, total);
        if (gate.ShouldPost(percent)) notify.Post(UPDATE_PROGRESS, percent);
    }
    http.Close();
    // Nothing the operator did not sign is kept, let alone unzipped or run.
    if (!vantor::VerifyArchiveSignatures(digest.Finish(), vantor::kCarriedKeys,
                                         sizeof vantor::kCarriedKeys / sizeof vantor::kCarriedKeys[0])) {
        package.Discard();
        return fail(FAILED_NOT_SIGNED);
    }
    if (!package.Keep()) return fail();
    notify.PostFinal(UPDATE_DONE, 0, &stop);
    return 0;
}
