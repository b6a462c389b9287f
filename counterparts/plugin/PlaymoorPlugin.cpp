// PlaymoorPlugin.dll: the browser plug-in that ships with the game, here only
// as much as its registration: regsvr32 registers and unregisters its one
// class; no object can be made of it.
#include "InprocServerRegistry.h"
#include "PlaymoorPluginIds.h"

#include <windows.h>

namespace {
HMODULE g_hModule = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_hModule = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID, REFIID, LPVOID* ppv) {
    if (ppv) *ppv = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return S_OK; }

STDAPI DllRegisterServer() {
    return playmoor::RegisterInprocServer(playmoor::kClsidPlaymoorPlugin, L"PlaymoorPlugin", g_hModule);
}

STDAPI DllUnregisterServer() { return playmoor::UnregisterInprocServer(playmoor::kClsidPlaymoorPlugin); }
