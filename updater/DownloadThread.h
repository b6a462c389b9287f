// CDownloadThread: fetches the package from its final address with the
// socket client into the Update folder, on a worker thread of its own, and
// reports to the dialog with posted WM_UPDATE_NOTIFY messages: progress
// (only when the percentage changed), then exactly one UPDATE_DONE or
// UPDATE_FAILED; nothing at all when it was told to stop.
#pragma once

#include "framework/ScopedHandles.h"
#include "framework/WindowNotify.h"

#include <atomic>
#include <string>

class CDownloadThread {
public:
    CDownloadThread() = default;
    virtual ~CDownloadThread() = default;  // does not stop the worker: the dialog does
    CDownloadThread(const CDownloadThread&) = delete;
    CDownloadThread& operator=(const CDownloadThread&) = delete;

    void SetNotifyWindow(HWND window);
    // Stores url and starts the worker; the handle is kept (null when it could not start).
    HANDLE Start(const std::string& url);
    // Asks a held worker to stop, waits for it and lets its handle go. A stopped
    // worker deletes its partial file and posts nothing.
    void Stop();
    // Lets the held handle go without waiting (the worker has reported its end).
    void CloseThreadHandle();

    // The folder the package is written to, with its trailing backslash.
    void SetTargetFolder(const std::string& folder) { m_strTargetFolder = folder; }

private:
    friend unsigned DownloadThreadProc(CDownloadThread* download);

    std::atomic<int> m_nStopRequested{0};
    fw::CWindowNotify m_notify;
    fw::ScopedHandle m_thread;
    std::string m_strUrl;
    std::string m_strTargetFolder;
};

// The worker's body; returns 0.
unsigned DownloadThreadProc(CDownloadThread* download);
