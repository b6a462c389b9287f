// CRegistryKey: holds one registry key handle, starting with a root key, and
// replaces it with each sub-key it opens or creates. Every call answers true
// on success; both programs treat registry failures as silent. The launcher
// records its folder under HKLM with it, and the updater reads that folder back.
#pragma once

#include <windows.h>
#include <string>

namespace fw {

class CRegistryKey {
public:
    explicit CRegistryKey(HKEY root) : m_hKey(root) {}
    virtual ~CRegistryKey() { Close(); }
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Creates or opens subKey below the held key (all access, volatile when created).
    bool Create(const char* subKey);
    // Opens subKey below the held key with all access.
    bool Open(const char* subKey);
    // Reads a string value of at most maxBytes bytes (its zero included).
    bool ReadString(const char* valueName, std::string& value, DWORD maxBytes = 200) const;
    // Writes value as REG_SZ with its terminating zero.
    bool WriteString(const char* valueName, const std::string& value) const;
    void Close();

private:
    void Replace(HKEY key);
    HKEY m_hKey;
};

}  // namespace fw
