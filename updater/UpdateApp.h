// CUpdateApp: the updater's application object. It lets only one updater run,
// reads the package address and force flag from the command line, starts
// Winsock and runs the update dialog once; the program ends when it closes.
#pragma once

#include "framework/App.h"

#include <string>

class CUpdateApp : public fw::CWinApp {
public:
    CUpdateApp() : fw::CWinApp("VantorUpdate") {}
    bool InitInstance() override;

    // Read by the dialog, the resolve worker and the manifest step.
    int m_nForce = 0;          // 1: shown, launcher started again; 0: unseen; other: shown only
    std::string m_strUrl;      // the package address as the launcher passed it
};

CUpdateApp& UpdaterApp();
