#include "web/BrowserSink.h"

#include "framework/ScopedHandles.h"
#include "web/BrowserEvents.h"

#include <exdispid.h>
#include <mshtml.h>

CBrowserSink::~CBrowserSink() { DetachBrowser(); }

void CBrowserSink::AttachBrowser(IWebBrowser2* browser) {
    DetachBrowser();
    if (!browser) return;
    m_pBrowser = browser;
    m_pBrowser->AddRef();
    // The connection point asks this object for the event interface itself.
    vantor::ConnectBrowserEvents(m_pBrowser, static_cast<DWebBrowserEvents2*>(this), m_dwCookie);
}

void CBrowserSink::DetachBrowser() {
    if (!m_pBrowser) return;
    if (m_dwCookie != 0) vantor::DisconnectBrowserEvents(m_pBrowser, m_dwCookie);
    m_dwCookie = 0;
    IWebBrowser2* browser = m_pBrowser;
    m_pBrowser = nullptr;
    browser->Release();
}

HRESULT CBrowserSink::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, DIID_DWebBrowserEvents2)) {
        *object = static_cast<DWebBrowserEvents2*>(this);
    } else if (IsEqualIID(riid, IID_IDocHostUIHandler) || IsEqualIID(riid, IID_IUnknown)) {
        *object = static_cast<IDocHostUIHandler*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// The dialog owns the sink, so the count only follows the COM rules.
ULONG CBrowserSink::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_nRef)); }

ULONG CBrowserSink::Release() { return static_cast<ULONG>(::InterlockedDecrement(&m_nRef)); }

HRESULT CBrowserSink::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }

HRESULT CBrowserSink::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT CBrowserSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT CBrowserSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    if (!params) return E_INVALIDARG;
    if (id != DISPID_NAVIGATECOMPLETE2) return S_OK;
    if (params->cArgs < 2 || !params->rgvarg) return E_INVALIDARG;
    // Arguments come last to first: the completed frame's browser is the last entry.
    const VARIANT& frame = params->rgvarg[params->cArgs - 1];
    if (V_VT(&frame) != VT_DISPATCH || !V_DISPATCH(&frame)) return E_INVALIDARG;
    InstallOnDocumentOf(V_DISPATCH(&frame));
    return S_OK;
}

void CBrowserSink::InstallOnDocumentOf(IDispatch* frame) {
    // Every document, frames included, gets the handler anew; a step that
    // fails leaves that page with the browser's own look.
    fw::ScopedComPtr<IWebBrowser2> browser;
    if (FAILED(frame->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.put()))) || !browser) return;
    fw::ScopedComPtr<IDispatch> document;
    if (FAILED(browser->get_Document(document.put())) || !document) return;
    fw::ScopedComPtr<ICustomDoc> custom;
    if (FAILED(document->QueryInterface(__uuidof(ICustomDoc), reinterpret_cast<void**>(custom.put()))) || !custom)
        return;
    custom->SetUIHandler(static_cast<IDocHostUIHandler*>(this));
}

HRESULT CBrowserSink::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info) return E_POINTER;
    if (!m_bShow3DBorder) info->dwFlags |= DOCHOSTUIFLAG_NO3DBORDER;
    if (!m_bShowScrollBars) info->dwFlags |= DOCHOSTUIFLAG_SCROLL_NO;
    return S_OK;
}

HRESULT CBrowserSink::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) { return E_NOTIMPL; }

HRESULT CBrowserSink::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                             IOleInPlaceUIWindow*) {
    return E_NOTIMPL;
}

HRESULT CBrowserSink::HideUI() { return E_NOTIMPL; }

HRESULT CBrowserSink::UpdateUI() { return E_NOTIMPL; }

HRESULT CBrowserSink::EnableModeless(BOOL) { return E_NOTIMPL; }

HRESULT CBrowserSink::OnDocWindowActivate(BOOL) { return E_NOTIMPL; }

HRESULT CBrowserSink::OnFrameWindowActivate(BOOL) { return E_NOTIMPL; }

HRESULT CBrowserSink::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return E_NOTIMPL; }

HRESULT CBrowserSink::TranslateAccelerator(LPMSG, const GUID*, DWORD) { return E_NOTIMPL; }

// The methods with results clear them, as COM asks of a failing call.
HRESULT CBrowserSink::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key) *key = nullptr;
    return E_NOTIMPL;
}

HRESULT CBrowserSink::GetDropTarget(IDropTarget*, IDropTarget** replacement) {
    if (replacement) *replacement = nullptr;
    return E_NOTIMPL;
}

HRESULT CBrowserSink::GetExternal(IDispatch** external) {
    if (external) *external = nullptr;
    return E_NOTIMPL;
}

HRESULT CBrowserSink::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT CBrowserSink::FilterDataObject(IDataObject*, IDataObject** replacement) {
    if (replacement) *replacement = nullptr;
    return E_NOTIMPL;
}
