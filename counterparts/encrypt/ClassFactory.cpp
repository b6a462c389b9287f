#include "ClassFactory.h"

#include "EncryptObject.h"
#include "ModuleLock.h"

#include <new>

namespace playmoor {

HRESULT CEncryptClassFactory::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// The factory lives as long as the module; its references count as locks.
ULONG CEncryptClassFactory::AddRef() {
    LockModule();
    return 2;
}

ULONG CEncryptClassFactory::Release() {
    UnlockModule();
    return 1;
}

HRESULT CEncryptClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter) return CLASS_E_NOAGGREGATION;
    CEncryptObject* object = new (std::nothrow) CEncryptObject();
    if (!object) return E_OUTOFMEMORY;
    HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();  // the caller's reference, if any, keeps it alive
    return hr;
}

HRESULT CEncryptClassFactory::LockServer(BOOL fLock) {
    if (fLock) LockModule();
    else UnlockModule();
    return S_OK;
}

CEncryptClassFactory& EncryptClassFactory() {
    static CEncryptClassFactory factory;
    return factory;
}

}  // namespace playmoor
