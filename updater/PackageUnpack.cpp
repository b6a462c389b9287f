// Turning the downloaded package into plain files in the Update folder,
// through the package library loaded at run time.
#include "framework/Winsock.h"

#include "UpdateDlg.h"

#include "framework/ModuleFolder.h"
#include "framework/ScopedHandles.h"
#include "logic/DownloadUrl.h"

namespace {

using DecomposeFunction = int (*)(const char* packagePath, const char* targetFolder);

const char kLibraryMissing[] = "Parcelkit.dll文件丢失,请重新安装该软件!";

}  // namespace

int CUpdateDlg::UnpackPackage() {
    // Loaded by full path, and freed on every way out.
    const std::string libraryPath = fw::GetModuleFolder() + "\\Parcelkit.dll";
    fw::ScopedLibrary library(::LoadLibraryA(libraryPath.c_str()));
    if (!library) {
        ::MessageBoxA(m_hWnd, kLibraryMissing, nullptr, MB_ICONINFORMATION | MB_OK);
        return 0;
    }
    // A library without the export is never called: a failed unpack.
    // Through void (*)(): the one function pointer type any other converts from without a warning.
    auto decompose = reinterpret_cast<DecomposeFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(library.get(), "DecomposeFile")));
    if (!decompose) return 0;

    // The same name the download worker stored the package under.
    const std::string targetFolder = UpdateFolder();
    const std::string packagePath = targetFolder + vantor::PackageNameOfUrl(m_strDownloadUrl);
    if (!decompose(packagePath.c_str(), targetFolder.c_str())) return 0;
    ::DeleteFileA(packagePath.c_str());  // a package that cannot be deleted is left
    return 1;
}
