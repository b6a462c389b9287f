#include "WinPlatform.h"

#include <windows.h>

namespace pk {
namespace {

bool IsLeadByteOfCodePage(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

bool IdentifyFile(const char* path, BY_HANDLE_FILE_INFORMATION* info) {
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = GetFileInformationByHandle(h, info) != FALSE;
    CloseHandle(h);
    return ok;
}

bool IsSameWinFile(const char* a, const char* b) {
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (!IdentifyFile(a, &ia) || !IdentifyFile(b, &ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
           ia.nFileIndexLow == ib.nFileIndexLow;
}

}  // namespace

const Platform& WinPlatform() {
    static const Platform platform{'\\', &IsLeadByteOfCodePage, &IsSameWinFile};
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
