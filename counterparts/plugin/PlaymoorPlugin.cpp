// PlaymoorPlugin.dll: the browser plug-in that ships with the game, here only
// as much as its registration: regsvr32 registers and unregisters its one
// class; no object can be made of it.
#include "InprocServerRegistry.h"
#include "PlaymoorPluginIds.h"

#include <windows.h>

STDAPI DllGetClassObject(REFCLSID, REFIID, LPVOID* ppv) {
    if (ppv) *ppv = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return S_OK; }

STDAPI DllRegisterServer() {
    return playmoor::RegisterInprocServer(playmoor::kClsidPlaymoorPlugin, L"PlaymoorPlugin", playmoor::ThisModule());
}

STDAPI DllUnregisterServer() { return playmoor::UnregisterInprocServer(playmoor::kClsidPlaymoorPlugin); }
