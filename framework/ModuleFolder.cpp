#include "ModuleFolder.h"

#include <windows.h>

namespace fw {

vantor::LeadByteRule SystemLeadByteRule() {
    CPINFO info{};
    // Without an answer GBK's rule stays, the code page of the game's players.
    if (!::GetCPInfo(CP_ACP, &info)) return vantor::LeadByteRule::Gbk();
    return vantor::LeadByteRule::FromRanges(info.LeadByte, sizeof info.LeadByte);
}

std::string GetModulePath() {
    char path[512] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
    // A full buffer means the name was cut (and, before Vista, left unterminated).
    if (length == 0 || length >= sizeof(path)) return std::string();
    return std::string(path, length);
}

std::string GetModuleFolder() { return vantor::FolderBeforeLastBackslash(GetModulePath(), SystemLeadByteRule()); }

}  // namespace fw
