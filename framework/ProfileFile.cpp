#include "ProfileFile.h"

#include <windows.h>

#include <vector>

namespace fw {

std::string ReadProfileString(const std::string& path, const char* section, const char* key, size_t maxChars) {
    std::vector<char> buffer(maxChars + 1, '\0');
    const DWORD length = ::GetPrivateProfileStringA(section, key, "", buffer.data(),
                                                    static_cast<DWORD>(buffer.size()), path.c_str());
    return std::string(buffer.data(), length);
}

int ReadProfileInt(const std::string& path, const char* section, const char* key, int defaultValue) {
    return static_cast<int>(::GetPrivateProfileIntA(section, key, defaultValue, path.c_str()));
}

bool WriteProfileString(const std::string& path, const char* section, const char* key, const std::string& value) {
    return ::WritePrivateProfileStringA(section, key, value.c_str(), path.c_str()) != FALSE;
}

}  // namespace fw
