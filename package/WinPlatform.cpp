#include "WinPlatform.h"

#include <windows.h>

namespace pk {
namespace {

bool IsLeadByteOfCodePage(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

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
    static const Platform platform{'\\', &IsLeadByteOfCodePage, &IdentifyWinFile};
    return platform;
}

std::string DefaultPackagePath() {
    char module[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    std::string folder = FolderOf(std::string(module, length), WinPlatform());
    if (!folder.empty()) folder.pop_back();  // cut before the last "\"
    return folder + "\\PkUpdate.pk";
}

}  // namespace pk
