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
        DWORD size = 0;
        ::InternetQueryOptionA(request.get(), INTERNET_OPTION_URL, nullptr, &size);
        if (size == 0) return url;
        std::vector<char> buffer(size + 1);
        if (!::InternetQueryOptionA(request.get(), INTERNET_OPTION_URL, buffer.data(), &size)) return url;
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
