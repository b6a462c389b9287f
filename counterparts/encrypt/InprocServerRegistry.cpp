#include "InprocServerRegistry.h"

#include "framework/ScopedHandles.h"

#include <objbase.h>
#include <olectl.h>

#include <string>

namespace playmoor {
namespace {

const wchar_t kClassesRoot[] = L"Software\\Classes\\CLSID\\";

std::wstring ClassKeyPath(REFCLSID clsid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(clsid, text, static_cast<int>(sizeof(text) / sizeof(text[0])));
    return std::wstring(kClassesRoot) + text;
}

LONG SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

LONG CreateKey(const std::wstring& path, fw::ScopedRegKey& key) {
    HKEY raw = nullptr;
    LONG status = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_WRITE, nullptr, &raw, nullptr);
    key.reset(status == ERROR_SUCCESS ? raw : nullptr);
    return status;
}

std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);  // cut off: try a larger buffer
    }
}

}  // namespace

HRESULT RegisterInprocServer(REFCLSID clsid, const wchar_t* description, HMODULE module) {
    const std::wstring modulePath = ModulePath(module);
    if (modulePath.empty()) return SELFREG_E_CLASS;
    const std::wstring classPath = ClassKeyPath(clsid);

    fw::ScopedRegKey classKey, serverKey;
    LONG status = CreateKey(classPath, classKey);
    if (status == ERROR_SUCCESS) status = SetText(classKey.get(), nullptr, description);
    if (status == ERROR_SUCCESS) status = CreateKey(classPath + L"\\InprocServer32", serverKey);
    if (status == ERROR_SUCCESS) status = SetText(serverKey.get(), nullptr, modulePath);
    if (status == ERROR_SUCCESS) status = SetText(serverKey.get(), L"ThreadingModel", L"Apartment");
    if (status != ERROR_SUCCESS) {
        UnregisterInprocServer(clsid);  // no half-written class stays behind
        return HRESULT_FROM_WIN32(status);
    }
    return S_OK;
}

HRESULT UnregisterInprocServer(REFCLSID clsid) {
    LONG status = ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, ClassKeyPath(clsid).c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return S_OK;
    return HRESULT_FROM_WIN32(status);
}

}  // namespace playmoor
