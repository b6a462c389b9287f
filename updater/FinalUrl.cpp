#include "FinalUrl.h"

#include "UpdaterMessages.h"
#include "framework/App.h"
#include "framework/Internet.h"

#include <memory>
#include <vector>

std::string ResolveFinalUrl(const std::string& url) {
    try {
        fw::CInternetSession session(fw::CWinApp::Current() ? fw::CWinApp::Current()->m_pszAppName : "VantorUpdate");
        fw::CHttpFile request = session.OpenURL(url, INTERNET_FLAG_TRANSFER_BINARY);
        // Most addresses fit the first buffer; a longer one is asked for again at its size.
        std::vector<char> buffer(2048);
        DWORD size = static_cast<DWORD>(buffer.size());
        if (!::InternetQueryOptionA(request.get(), INTERNET_OPTION_URL, buffer.data(), &size)) {
            if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return url;
            buffer.assign(size + 1, '\0');
            if (!::InternetQueryOptionA(request.get(), INTERNET_OPTION_URL, buffer.data(), &size)) return url;
        }
        return std::string(buffer.data());
    } catch (const fw::CInternetException&) {
        return std::string();
    }
}

unsigned ResolveThreadProc(HWND dialog, const std::string& url) {
    std::string final = ResolveFinalUrl(url);
    if (final.empty()) {
        ::PostMessageA(dialog, WM_CLOSE, 0, 0);
        return 0;
    }
    auto text = std::make_unique<std::string>(std::move(final));
    if (::PostMessageA(dialog, WM_URL_RESOLVED, 0, reinterpret_cast<LPARAM>(text.get()))) text.release();
    return 0;
}
