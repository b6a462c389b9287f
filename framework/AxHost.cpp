#include "AxHost.h"

#include "SystemFolder.h"

#include <string>

namespace fw {

namespace {

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

// atl.dll stays loaded until the process ends: the window class it registers
// lives in it. MinGW has no import library for it, hence the run-time lookup.
// It is the system folder's, by full path: a load by bare name would take an
// atl.dll beside the program first, inside a process that runs as administrator.
HMODULE AtlModule() {
    static HMODULE module = [] {
        const std::string folder = GetSystemFolder();
        return folder.empty() ? nullptr : ::LoadLibraryA((folder + "atl.dll").c_str());
    }();
    return module;
}

}  // namespace

bool AxHostInit() {
    HMODULE atl = AtlModule();
    if (!atl) return false;
    auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxWinInit")));
    return init && init();
}

IUnknown* AxHostGetControl(HWND host) {
    HMODULE atl = AtlModule();
    if (!atl || !host) return nullptr;
    auto get = reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxGetControl")));
    IUnknown* control = nullptr;
    if (!get || FAILED(get(host, &control))) return nullptr;
    return control;
}

}  // namespace fw
