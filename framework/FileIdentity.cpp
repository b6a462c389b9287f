#include "FileIdentity.h"

#include "ScopedHandles.h"

namespace fw {

bool GetFileIdentity(const char* path, FileIdentity& identity) {
    // No access asked for, so that no sharing mode of another opener refuses it;
    // backup semantics let folders open too.
    ScopedFile file(::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(file.get(), &info)) return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = static_cast<uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    return true;
}

}  // namespace fw
