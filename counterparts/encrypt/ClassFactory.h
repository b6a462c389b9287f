// The class factory of PlaymoorEncrypt: one static instance whose references
// keep the module loaded; no aggregation.
#pragma once

#include <unknwn.h>

namespace playmoor {

class CEncryptClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;
};

CEncryptClassFactory& EncryptClassFactory();

}  // namespace playmoor
