// Registration of an in-process COM class under
// HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{clsid}, the machine-wide classes
// that HKEY_CLASSES_ROOT shows:
//   (default)                 the class's description
//   InprocServer32 (default)  the full path of the module
//   InprocServer32 ThreadingModel = "Apartment"
// Shared by the components that regsvr32 registers.
#pragma once

#include <windows.h>

// The image base the linker provides for every module: the handle of the DLL
// this code is linked into, without keeping the one DllMain was given.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace playmoor {

inline HMODULE ThisModule() { return reinterpret_cast<HMODULE>(&__ImageBase); }

// Writes the keys above for module (the DLL's own handle); S_OK or the
// registry error as an HRESULT (SELFREG_E_CLASS when the path is unknown).
HRESULT RegisterInprocServer(REFCLSID clsid, const wchar_t* description, HMODULE module);

// Deletes the class's key with everything below it; S_OK also when it was not there.
HRESULT UnregisterInprocServer(REFCLSID clsid);

}  // namespace playmoor
