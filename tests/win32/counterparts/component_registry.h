// Test helpers: a component DLL loaded by path with its registration exports,
// and reads of the machine's class registrations.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

class ComponentDll {
public:
    explicit ComponentDll(const wchar_t* path);
    ~ComponentDll();
    ComponentDll(const ComponentDll&) = delete;
    ComponentDll& operator=(const ComponentDll&) = delete;

    bool loaded() const { return m_module != nullptr; }
    std::wstring path() const;  // as the loaded module names itself
    HRESULT Register() const;
    HRESULT Unregister() const;
    HRESULT CanUnloadNow() const;
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const;

private:
    void* Export(const char* name) const;
    HMODULE m_module;
};

// HKLM\Software\Classes\CLSID\{clsid}[\sub]
std::wstring ClassKeyPath(REFCLSID clsid, const wchar_t* sub = nullptr);
// A REG_SZ value under HKEY_LOCAL_MACHINE (nullptr: the default value).
std::optional<std::wstring> ReadMachineText(const std::wstring& key, const wchar_t* value);
bool MachineKeyExists(const std::wstring& key);
