// The application object: one per program, constructed as a global. The
// framework's WinMain runs its InitInstance, which for these programs runs one
// modal dialog and returns false, so that no message loop runs after it.
#pragma once

#include "Wnd.h"

#include <string>

namespace fw {

class CWinApp {
public:
    explicit CWinApp(const char* appName);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();

    // Returns true to run a message loop afterwards, false to end the program.
    virtual bool InitInstance() = 0;
    // Exit code of the program.
    virtual int ExitInstance() { return 0; }

    // The key the framework would keep settings under; recorded only.
    void SetRegistryKey(const char* key) { m_strRegistryKey = key; }
    // Loads the system's ActiveX host (atl.dll) and initialises OLE, so that
    // dialogs can hold ActiveX controls through the window class "AtlAxWin".
    bool EnableControlContainer();

    HINSTANCE m_hInstance = nullptr;
    // The raw command-line tail after the program name, as WinMain received it.
    const char* m_lpCmdLine = "";
    const char* m_pszAppName;
    CWnd* m_pMainWnd = nullptr;
    std::string m_strRegistryKey;

private:
    bool m_bOleInitialised = false;
};

}  // namespace fw
