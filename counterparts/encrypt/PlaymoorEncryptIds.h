// Identifiers and the dual interface of the password-protection component,
// as its callers see them. The launcher calls ConvertPayload through the
// eighth entry of the function table: after IUnknown's three and IDispatch's four.
#pragma once

#include <oaidl.h>

namespace playmoor {

// {C47F5BD3-0E04-41C5-A417-FA453F5EE3BE}
const CLSID kClsidPlaymoorEncrypt = {0xC47F5BD3, 0x0E04, 0x41C5, {0xA4, 0x17, 0xFA, 0x45, 0x3F, 0x5E, 0xE3, 0xBE}};
// {4F3642D1-5AFF-499A-92DA-8D3AEF5EE32B}
const IID kIidPlaymoorEncrypt = {0x4F3642D1, 0x5AFF, 0x499A, {0x92, 0xDA, 0x8D, 0x3A, 0xEF, 0x5E, 0xE3, 0x2B}};

// The one method reachable through IDispatch, by this name.
constexpr wchar_t kConvertPayloadName[] = L"ConvertPayload";
constexpr DISPID kDispidConvertPayload = 1;

struct IPlaymoorEncrypt : public IDispatch {
    // token receives a new BSTR (the caller frees it); E_FAIL for the payload
    // "FAIL-CONVERT", E_POINTER for a null token, E_OUTOFMEMORY.
    virtual HRESULT STDMETHODCALLTYPE ConvertPayload(BSTR payload, BSTR* token) = 0;
};

}  // namespace playmoor
