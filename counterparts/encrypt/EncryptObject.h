// The PlaymoorEncrypt object: IPlaymoorEncrypt with a hand-written IDispatch
// (no type library), so late-bound callers can reach ConvertPayload by name.
// It has no IRunnableObject: OleRun finds it running already.
#pragma once

#include "PlaymoorEncryptIds.h"

namespace playmoor {

class CEncryptObject final : public IPlaymoorEncrypt {
public:
    CEncryptObject();
    CEncryptObject(const CEncryptObject&) = delete;
    CEncryptObject& operator=(const CEncryptObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                            DISPID* rgDispId) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                     UINT* puArgErr) override;

    // IPlaymoorEncrypt
    HRESULT STDMETHODCALLTYPE ConvertPayload(BSTR payload, BSTR* token) override;

private:
    ~CEncryptObject();

    volatile LONG m_nRefs;
};

}  // namespace playmoor
