#include "App.h"

#include "AxHost.h"

#include <ole2.h>

namespace fw {

namespace {
CWinApp* g_currentApp = nullptr;
}

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) { g_currentApp = this; }

CWinApp::~CWinApp() {
    if (m_bOleInitialised) ::OleUninitialize();
    if (g_currentApp == this) g_currentApp = nullptr;
}

CWinApp* CWinApp::Current() { return g_currentApp; }

bool CWinApp::EnableControlContainer() {
    if (!m_bOleInitialised) m_bOleInitialised = SUCCEEDED(::OleInitialize(nullptr));
    return m_bOleInitialised && AxHostInit();
}

}  // namespace fw

// The programs' entry point: hands control to the one application object.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    fw::CWinApp* app = fw::CWinApp::Current();
    if (!app) return 1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine ? commandLine : "";
    if (app->InitInstance()) {
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return app->ExitInstance();
}
