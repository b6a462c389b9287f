// PlaymoorEncrypt.dll: the password-protection component, an in-process COM
// server of one class. regsvr32 calls DllRegisterServer/DllUnregisterServer;
// COM calls DllGetClassObject and DllCanUnloadNow.
#include "ClassFactory.h"
#include "InprocServerRegistry.h"
#include "ModuleLock.h"
#include "PlaymoorEncryptIds.h"

#include <windows.h>

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, playmoor::kClsidPlaymoorEncrypt)) return CLASS_E_CLASSNOTAVAILABLE;
    return playmoor::EncryptClassFactory().QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() { return playmoor::ModuleInUse() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() {
    return playmoor::RegisterInprocServer(playmoor::kClsidPlaymoorEncrypt, L"PlaymoorEncrypt", playmoor::ThisModule());
}

STDAPI DllUnregisterServer() { return playmoor::UnregisterInprocServer(playmoor::kClsidPlaymoorEncrypt); }
