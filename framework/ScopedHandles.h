// One small owner class per release rule. Each is move-only (a copied handle
// would be closed twice), converts to nothing implicitly, and gives the raw
// handle through get() and gives up ownership through release().
#pragma once

#include <windows.h>
#include <wincrypt.h>
#include <wininet.h>
#include <utility>

namespace fw {

template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() noexcept : m_handle(Traits::Invalid()) {}
    explicit UniqueResource(Handle h) noexcept : m_handle(h) {}
    ~UniqueResource() { reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : m_handle(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const noexcept { return m_handle; }
    bool valid() const noexcept { return m_handle != Traits::Invalid(); }
    explicit operator bool() const noexcept { return valid(); }

    Handle release() noexcept {
        Handle h = m_handle;
        m_handle = Traits::Invalid();
        return h;
    }
    void reset(Handle h = Traits::Invalid()) noexcept {
        if (m_handle != Traits::Invalid()) Traits::Close(m_handle);
        m_handle = h;
    }

private:
    Handle m_handle;
};

struct KernelHandleTraits {  // threads, events, processes, mutexes
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile answers INVALID_HANDLE_VALUE on failure
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindHandleTraits {  // FindFirstFile answers INVALID_HANDLE_VALUE on failure
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::InternetCloseHandle(h); }
};
struct MemoryDCTraits {  // DCs made by CreateCompatibleDC
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};
template <typename T>
struct GdiObjectTraits {  // bitmaps, brushes, pens, fonts, regions
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct IconTraits {  // icons made by CreateIconIndirect and friends, not shared resource icons
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};

struct LibraryTraits {  // modules loaded at run time with LoadLibrary
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};

struct CryptProviderTraits {  // CryptAcquireContext
    using Handle = HCRYPTPROV;
    static Handle Invalid() { return 0; }
    static void Close(Handle h) { ::CryptReleaseContext(h, 0); }
};
struct CryptKeyTraits {  // CryptImportKey, CryptImportPublicKeyInfo
    using Handle = HCRYPTKEY;
    static Handle Invalid() { return 0; }
    static void Close(Handle h) { ::CryptDestroyKey(h); }
};
struct CryptHashTraits {  // CryptCreateHash
    using Handle = HCRYPTHASH;
    static Handle Invalid() { return 0; }
    static void Close(Handle h) { ::CryptDestroyHash(h); }
};
struct LocalMemoryTraits {  // what the system allocates for the caller (CRYPT_DECODE_ALLOC_FLAG, FormatMessage)
    using Handle = HLOCAL;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::LocalFree(h); }
};

using ScopedHandle = UniqueResource<KernelHandleTraits>;
using ScopedCryptProvider = UniqueResource<CryptProviderTraits>;
using ScopedCryptKey = UniqueResource<CryptKeyTraits>;
using ScopedCryptHash = UniqueResource<CryptHashTraits>;
using ScopedLocalMemory = UniqueResource<LocalMemoryTraits>;
using ScopedFile = UniqueResource<FileHandleTraits>;
using ScopedFind = UniqueResource<FindHandleTraits>;
using ScopedRegKey = UniqueResource<RegKeyTraits>;
using ScopedInternetHandle = UniqueResource<InternetHandleTraits>;
using ScopedMemoryDC = UniqueResource<MemoryDCTraits>;
using ScopedLibrary = UniqueResource<LibraryTraits>;
template <typename T>
using ScopedGdiObject = UniqueResource<GdiObjectTraits<T>>;

// A DC from GetDC, returned with ReleaseDC to the window it came from.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    ~ScopedWindowDC() { if (m_hdc) ::ReleaseDC(m_hwnd, m_hdc); }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC get() const { return m_hdc; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// Puts back the object that SelectObject replaced.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC hdc, HGDIOBJ obj) : m_hdc(hdc), m_previous(::SelectObject(hdc, obj)) {}
    ~ScopedSelectObject() { if (m_previous) ::SelectObject(m_hdc, m_previous); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_previous;
};

// Holds one reference of a COM interface.
template <typename T>
class ScopedComPtr {
public:
    ScopedComPtr() = default;
    explicit ScopedComPtr(T* p) : m_p(p) {}  // takes over a reference
    ~ScopedComPtr() { reset(); }
    ScopedComPtr(const ScopedComPtr&) = delete;
    ScopedComPtr& operator=(const ScopedComPtr&) = delete;
    ScopedComPtr(ScopedComPtr&& o) noexcept : m_p(o.release()) {}
    ScopedComPtr& operator=(ScopedComPtr&& o) noexcept {
        if (this != &o) { reset(); m_p = o.release(); }
        return *this;
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T** put() { reset(); return &m_p; }  // for out-parameters
    T* release() { T* p = m_p; m_p = nullptr; return p; }
    void reset() { if (m_p) { m_p->Release(); m_p = nullptr; } }

private:
    T* m_p = nullptr;
};

// A BSTR freed with SysFreeString: an input the caller made, or an output that
// a COM call hands over through put().
class ScopedBstr {
public:
    ScopedBstr() = default;
    explicit ScopedBstr(BSTR text) : m_text(text) {}
    ~ScopedBstr() { reset(); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    ScopedBstr(ScopedBstr&& o) noexcept : m_text(o.release()) {}
    ScopedBstr& operator=(ScopedBstr&& o) noexcept {
        if (this != &o) { reset(); m_text = o.release(); }
        return *this;
    }

    BSTR get() const { return m_text; }
    BSTR* put() { reset(); return &m_text; }  // for out-parameters
    BSTR release() { BSTR t = m_text; m_text = nullptr; return t; }
    void reset() { ::SysFreeString(m_text); m_text = nullptr; }

private:
    BSTR m_text = nullptr;
};

}  // namespace fw
