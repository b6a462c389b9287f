#include "component_registry.h"

#include <objbase.h>

ComponentDll::ComponentDll(const wchar_t* path) : m_module(::LoadLibraryW(path)) {}
ComponentDll::~ComponentDll() {
    if (m_module) ::FreeLibrary(m_module);
}

std::wstring ComponentDll::path() const {
    wchar_t buffer[MAX_PATH] = {};
    return std::wstring(buffer, ::GetModuleFileNameW(m_module, buffer, MAX_PATH));
}

// Through void*: FARPROC has no parameters, the exports do.
void* ComponentDll::Export(const char* name) const {
    return m_module ? reinterpret_cast<void*>(::GetProcAddress(m_module, name)) : nullptr;
}

HRESULT ComponentDll::Register() const {
    auto call = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(Export("DllRegisterServer"));
    return call ? call() : E_NOTIMPL;
}

HRESULT ComponentDll::Unregister() const {
    auto call = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(Export("DllUnregisterServer"));
    return call ? call() : E_NOTIMPL;
}

HRESULT ComponentDll::CanUnloadNow() const {
    auto call = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(Export("DllCanUnloadNow"));
    return call ? call() : E_NOTIMPL;
}

HRESULT ComponentDll::GetClassObject(REFCLSID clsid, REFIID iid, void** object) const {
    auto call = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(Export("DllGetClassObject"));
    return call ? call(clsid, iid, object) : E_NOTIMPL;
}

std::wstring ClassKeyPath(REFCLSID clsid, const wchar_t* sub) {
    wchar_t text[40] = {};
    ::StringFromGUID2(clsid, text, 40);
    std::wstring path = std::wstring(L"Software\\Classes\\CLSID\\") + text;
    if (sub) path += std::wstring(L"\\") + sub;
    return path;
}

std::optional<std::wstring> ReadMachineText(const std::wstring& key, const wchar_t* value) {
    wchar_t data[1024] = {};
    DWORD bytes = sizeof(data) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), value, RRF_RT_REG_SZ, nullptr, data, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

bool MachineKeyExists(const std::wstring& key) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    ::RegCloseKey(handle);
    return true;
}
