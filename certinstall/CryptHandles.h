// Owners for the installer's crypt32 stores and its heap block.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include <cstddef>
#include <utility>

#include "framework/ScopedHandles.h"

namespace trustfit {

struct CertStoreTraits {
    using Handle = HCERTSTORE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CertCloseStore(h, 0); }
};
using ScopedCertStore = fw::UniqueResource<CertStoreTraits>;

// A block from the process heap, freed on destruction.
class ProcessHeapBlock {
public:
    ProcessHeapBlock() = default;
    ~ProcessHeapBlock() { reset(); }
    ProcessHeapBlock(const ProcessHeapBlock&) = delete;
    ProcessHeapBlock& operator=(const ProcessHeapBlock&) = delete;

    // HeapAlloc sets no last error when it fails; this does.
    bool allocate(DWORD size) {
        reset();
        m_data = static_cast<BYTE*>(::HeapAlloc(::GetProcessHeap(), 0, size ? size : 1));
        if (!m_data) {
            ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return false;
        }
        m_size = size;
        return true;
    }
    void reset() {
        if (m_data) ::HeapFree(::GetProcessHeap(), 0, m_data);
        m_data = nullptr;
        m_size = 0;
    }
    BYTE* data() const { return m_data; }
    DWORD size() const { return m_size; }

private:
    BYTE* m_data = nullptr;
    DWORD m_size = 0;
};

}  // namespace trustfit
