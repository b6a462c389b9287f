// The exports of Parcelkit.dll. The updater finds DecomposeFile by name with
// GetProcAddress, so the names are undecorated (cdecl, listed in Parcelkit.def).
#include "Compose.h"
#include "Decompose.h"
#include "WinPlatform.h"
#include "v_zipfile.h"

extern "C" __declspec(dllexport) int ComposeFile(const char* fileList, const char* packagePath) {
    std::string defaultPath;
    if (!packagePath) {
        defaultPath = pk::DefaultPackagePath();
        packagePath = defaultPath.c_str();
    }
    return pk::ComposePackage(fileList, packagePath, pk::WinPlatform()) == pk::ComposeOutcome::Ok ? 1 : 0;
}

extern "C" __declspec(dllexport) int DecomposeFile(const char* archivePath, const char* targetFolder) {
    return pk::DecomposePackage(archivePath, targetFolder, pk::WinPlatform()).outcome == pk::DecomposeOutcome::Ok
               ? 1 : 0;
}

// The library has always exported the zip component's copy assignment; keep the
// inline operator emitted here so that Parcelkit.def can list it.
__attribute__((used)) static v_zipfile& (v_zipfile::*g_exportedAssignment)(const v_zipfile&) =
    &v_zipfile::operator=;
