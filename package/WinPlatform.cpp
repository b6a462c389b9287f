#include "WinPlatform.h"

#include "framework/ModuleFolder.h"
#include "text/GbkText.h"

#include <windows.h>

namespace pk {
namespace {

// The volume serial number and the file index, read through a handle that
// asks for no access, so that no sharing mode of another opener refuses it.
bool IdentifyWinFile(const char* path, FileId* id) {
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = GetFileInformationByHandle(h, &info) != FALSE;
    CloseHandle(h);
    if (!ok) return false;
    id->volume = info.dwVolumeSerialNumber;
    id->index = static_cast<uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    return true;
}

}  // namespace

const Platform& WinPlatform() {
    // The programs run in code page 936, so names step by its rule (the same rule
    // in every build) rather than by the lead bytes of whatever code page is set.
    static const Platform platform{'\\', &vantor::GbkCharLength, &IdentifyWinFile};
    return platform;
}

std::string DefaultPackagePath() {
    const std::string folder = fw::GetModuleFolder();
    return folder.empty() ? std::string() : folder + "\\PkUpdate.pk";
}

}  // namespace pk
