#include "EncryptObject.h"

#include "ModuleLock.h"
#include "PayloadToken.h"

#include <string>

namespace playmoor {
namespace {

const char16_t* Units(BSTR text) { return reinterpret_cast<const char16_t*>(text); }

BSTR AllocBstr(const std::string& ascii) {
    std::wstring wide(ascii.begin(), ascii.end());  // the token is ASCII
    return ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

void FillException(EXCEPINFO* info, HRESULT hr) {
    if (!info) return;
    *info = EXCEPINFO();
    info->bstrSource = ::SysAllocString(L"PlaymoorEncrypt");
    info->bstrDescription = ::SysAllocString(L"ConvertPayload failed");
    info->scode = hr;
}

}  // namespace

CEncryptObject::CEncryptObject() : m_nRefs(1) { LockModule(); }
CEncryptObject::~CEncryptObject() { UnlockModule(); }

HRESULT CEncryptObject::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kIidPlaymoorEncrypt)) {
        *ppv = static_cast<IPlaymoorEncrypt*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CEncryptObject::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs)); }

ULONG CEncryptObject::Release() {
    LONG refs = ::InterlockedDecrement(&m_nRefs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
}

HRESULT CEncryptObject::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;  // no type library
    return S_OK;
}

HRESULT CEncryptObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo) *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT CEncryptObject::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (cNames == 0) return S_OK;
    if (!rgszNames || !rgDispId) return E_POINTER;
    bool known = rgszNames[0] && ::lstrcmpiW(rgszNames[0], kConvertPayloadName) == 0;
    rgDispId[0] = known ? kDispidConvertPayload : DISPID_UNKNOWN;
    for (UINT i = 1; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;  // the parameter has no name
    return known && cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT CEncryptObject::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                               VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (dispIdMember != kDispidConvertPayload) return DISP_E_MEMBERNOTFOUND;
    if (!(wFlags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (!pDispParams) return E_INVALIDARG;
    if (pDispParams->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (pDispParams->cArgs != 1) return DISP_E_BADPARAMCOUNT;

    VARIANT payload;
    ::VariantInit(&payload);
    HRESULT hr = ::VariantChangeType(&payload, &pDispParams->rgvarg[0], 0, VT_BSTR);
    if (FAILED(hr)) {
        if (puArgErr) *puArgErr = 0;
        return DISP_E_TYPEMISMATCH;
    }
    BSTR token = nullptr;
    hr = ConvertPayload(V_BSTR(&payload), &token);
    ::VariantClear(&payload);
    if (FAILED(hr)) {
        FillException(pExcepInfo, hr);
        return DISP_E_EXCEPTION;
    }
    if (pVarResult) {
        ::VariantInit(pVarResult);
        V_VT(pVarResult) = VT_BSTR;
        V_BSTR(pVarResult) = token;
    } else {
        ::SysFreeString(token);
    }
    return S_OK;
}

HRESULT CEncryptObject::ConvertPayload(BSTR payload, BSTR* token) {
    if (!token) return E_POINTER;
    *token = nullptr;
    const UINT length = ::SysStringLen(payload);  // a null BSTR is the empty text
    if (IsFailingPayload(Units(payload), length)) return E_FAIL;
    *token = AllocBstr(PayloadToken(Units(payload), length));
    return *token ? S_OK : E_OUTOFMEMORY;
}

}  // namespace playmoor
