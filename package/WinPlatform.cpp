#include "WinPlatform.h"

#include "framework/FileIdentity.h"
#include "framework/ModuleFolder.h"
#include "text/GbkText.h"

#include <windows.h>

namespace pk {
namespace {

bool IdentifyWinFile(const char* path, FileId* id) {
    fw::FileIdentity identity;
    if (!fw::GetFileIdentity(path, identity)) return false;
    id->volume = identity.volume;
    id->index = identity.index;
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
