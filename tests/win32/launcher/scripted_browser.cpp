#include "scripted_browser.h"

namespace scripted {

namespace {

std::string Narrow(BSTR text) {
    std::string out;
    for (UINT i = 0; text && i < ::SysStringLen(text); ++i) out += static_cast<char>(text[i]);
    return out;
}

BSTR Wide(const std::string& text) {
    std::wstring wide(text.begin(), text.end());
    return ::SysAllocString(wide.c_str());
}

}  // namespace

Document::~Document() {
    if (handler) handler->Release();
}

HRESULT Document::QueryInterface(REFIID riid, void** object) {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
    } else if (answersCustomDoc && IsEqualIID(riid, __uuidof(ICustomDoc))) {
        *object = static_cast<ICustomDoc*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    refs.Add();
    return S_OK;
}

HRESULT Document::SetUIHandler(IDocHostUIHandler* pUIHandler) {
    ++setHandlerCalls;
    if (FAILED(setHandlerResult)) return setHandlerResult;
    // Like the real document, it keeps a reference to its handler.
    if (pUIHandler) pUIHandler->AddRef();
    if (handler) handler->Release();
    handler = pUIHandler;
    return S_OK;
}

Browser::~Browser() {
    if (subscriber) subscriber->Release();
}

HRESULT Browser::QueryInterface(REFIID riid, void** object) {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *object = static_cast<IWebBrowser2*>(this);
    } else if (answersWebBrowser2 && IsEqualIID(riid, IID_IWebBrowser2)) {
        *object = static_cast<IWebBrowser2*>(this);
    } else if (answersConnectionPoints && IsEqualIID(riid, IID_IConnectionPointContainer)) {
        *object = static_cast<IConnectionPointContainer*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    refs.Add();
    return S_OK;
}

HRESULT Browser::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) {
    DispatchCall call{id, flags, {}, {}, {}, false};
    if (params) {
        call.named = params->cNamedArgs != 0;
        for (UINT i = 0; i < params->cArgs; ++i) {
            const VARIANT& arg = params->rgvarg[i];
            call.types.push_back(V_VT(&arg));
            if (V_VT(&arg) == VT_ERROR) call.errors.push_back(V_ERROR(&arg));
            if (V_VT(&arg) == VT_BSTR) call.address = Narrow(V_BSTR(&arg));
        }
    }
    calls.push_back(call);
    if (FAILED(invokeResult)) return invokeResult;
    if (id == 211 && (flags & DISPATCH_PROPERTYGET) && result) {
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = Wide(locationURL);
    }
    return invokeResult;
}

HRESULT Browser::get_Document(IDispatch** ppDisp) {
    *ppDisp = nullptr;
    if (FAILED(documentResult)) return documentResult;
    if (document) {
        document->AddRef();
        *ppDisp = static_cast<IDispatch*>(document);
    }
    return documentResult;
}

HRESULT Browser::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    if (!IsEqualIID(riid, DIID_DWebBrowserEvents2)) {
        *point = nullptr;
        return CONNECT_E_NOCONNECTION;
    }
    refs.Add();
    *point = static_cast<IConnectionPoint*>(this);
    return S_OK;
}

HRESULT Browser::Advise(IUnknown* sink, DWORD* cookieOut) {
    *cookieOut = 0;
    if (subscriber) return CONNECT_E_ADVISELIMIT;
    // The connection point wants the event interface itself.
    if (FAILED(sink->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&subscriber))))
        return CONNECT_E_CANNOTCONNECT;
    cookie = *cookieOut = m_nextCookie++;
    if (m_journal) m_journal->push_back(m_name + " advise " + std::to_string(cookie));
    return S_OK;
}

HRESULT Browser::Unadvise(DWORD cookieIn) {
    givenBack.push_back(cookieIn);
    if (m_journal) m_journal->push_back(m_name + " unadvise " + std::to_string(cookieIn));
    if (!subscriber || cookieIn != cookie) return CONNECT_E_NOCONNECTION;
    subscriber->Release();
    subscriber = nullptr;
    cookie = 0;
    return S_OK;
}

HRESULT Browser::Fire(DISPID id, VARIANT* args, UINT count) {
    if (!subscriber) return E_FAIL;
    DISPPARAMS params{args, nullptr, count, 0};
    return subscriber->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

HRESULT Browser::FireNavigateComplete2(IDispatch* frame, const wchar_t* url) {
    VARIANT address;
    V_VT(&address) = VT_BSTR;
    V_BSTR(&address) = ::SysAllocString(url);
    VARIANT args[2];
    V_VT(&args[0]) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&args[0]) = &address;
    V_VT(&args[1]) = VT_DISPATCH;
    V_DISPATCH(&args[1]) = frame;
    HRESULT hr = Fire(252, args, 2);
    ::VariantClear(&address);
    return hr;
}

HRESULT Browser::FireWindowClosing() {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[2];
    V_VT(&args[0]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&args[0]) = &cancel;
    V_VT(&args[1]) = VT_BOOL;
    V_BOOL(&args[1]) = VARIANT_FALSE;
    return Fire(263, args, 2);
}

HRESULT Browser::FireNavigateError(IDispatch* frame, const wchar_t* url) {
    VARIANT address, target, status;
    V_VT(&address) = VT_BSTR;
    V_BSTR(&address) = ::SysAllocString(url);
    V_VT(&target) = VT_BSTR;
    V_BSTR(&target) = ::SysAllocString(L"");
    V_VT(&status) = VT_I4;
    V_I4(&status) = static_cast<LONG>(0x800C0010);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[5];
    V_VT(&args[0]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&args[0]) = &cancel;
    V_VT(&args[1]) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&args[1]) = &status;
    V_VT(&args[2]) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&args[2]) = &target;
    V_VT(&args[3]) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&args[3]) = &address;
    V_VT(&args[4]) = VT_DISPATCH;
    V_DISPATCH(&args[4]) = frame;
    HRESULT hr = Fire(271, args, 5);
    ::VariantClear(&address);
    ::VariantClear(&target);
    return hr;
}

}  // namespace scripted
