#include "RegistryKey.h"

#include <cstring>
#include <vector>

namespace fw {

namespace {
// Predefined root keys are not ours to close.
bool IsRootKey(HKEY key) {
    return reinterpret_cast<ULONG_PTR>(key) >= reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT) &&
           reinterpret_cast<ULONG_PTR>(key) <= reinterpret_cast<ULONG_PTR>(HKEY_CURRENT_USER_LOCAL_SETTINGS);
}
}  // namespace

void CRegistryKey::Replace(HKEY key) {
    Close();
    m_hKey = key;
}

bool CRegistryKey::Create(const char* subKey) {
    HKEY created = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(m_hKey, subKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &created,
                          &disposition) != ERROR_SUCCESS)
        return false;
    Replace(created);
    return true;
}

bool CRegistryKey::Open(const char* subKey) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(m_hKey, subKey, 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS) return false;
    Replace(opened);
    return true;
}

bool CRegistryKey::ReadString(const char* valueName, std::string& value, DWORD maxBytes) const {
    std::vector<char> buffer(maxBytes, '\0');
    DWORD size = maxBytes;
    DWORD type = 0;
    if (maxBytes == 0 ||
        ::RegQueryValueExA(m_hKey, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
            ERROR_SUCCESS)
        return false;
    // A value that fills the buffer without a terminating zero ends at the buffer's end.
    value.assign(buffer.data(), strnlen(buffer.data(), size < maxBytes ? size : maxBytes));
    return true;
}

bool CRegistryKey::WriteString(const char* valueName, const std::string& value) const {
    return ::RegSetValueExA(m_hKey, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

void CRegistryKey::Close() {
    if (m_hKey && !IsRootKey(m_hKey)) ::RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

}  // namespace fw
