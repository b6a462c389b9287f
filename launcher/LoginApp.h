// CLoginApp: the launcher's application object. It runs the main dialog once
// and the program ends when that dialog closes.
#pragma once

#include "framework/App.h"

class CLoginApp : public fw::CWinApp {
public:
    CLoginApp() : fw::CWinApp("VantorLogin") {}
    bool InitInstance() override;
};
