#include "web/LoginPageEvents.h"

#include "logic/WebViewAddresses.h"
#include "web/BrowserEvents.h"

#include <exdisp.h>
#include <exdispid.h>

CLoginPageEvents::~CLoginPageEvents() { Disconnect(); }

HRESULT CLoginPageEvents::Connect(const CExplorer1& view, HWND mainWindow, const std::string& loginHost) {
    Disconnect();
    m_pView = &view;
    m_hMainWindow = mainWindow;
    m_strLoginHost = loginHost;
    m_source = fw::ScopedComPtr<IUnknown>(view.GetControlUnknown());
    if (!m_source) return E_NOINTERFACE;
    HRESULT hr = vantor::ConnectBrowserEvents(m_source.get(), static_cast<IDispatch*>(this), m_dwCookie);
    if (FAILED(hr)) m_source.reset();
    return hr;
}

void CLoginPageEvents::Disconnect() {
    if (m_source && m_dwCookie != 0) vantor::DisconnectBrowserEvents(m_source.get(), m_dwCookie);
    m_dwCookie = 0;
    m_source.reset();
}

HRESULT CLoginPageEvents::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, DIID_DWebBrowserEvents2) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, IID_IUnknown)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CLoginPageEvents::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_nRef)); }

ULONG CLoginPageEvents::Release() { return static_cast<ULONG>(::InterlockedDecrement(&m_nRef)); }

HRESULT CLoginPageEvents::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }

HRESULT CLoginPageEvents::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT CLoginPageEvents::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT CLoginPageEvents::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    switch (id) {
    case DISPID_NAVIGATECOMPLETE2:
        OnNavigateComplete2();
        break;
    case DISPID_WINDOWCLOSING:
        OnWindowClosing();
        break;
    default:  // NavigateError included: failed loads are not reported
        break;
    }
    return S_OK;
}

void CLoginPageEvents::OnNavigateComplete2() {
    if (!m_pView) return;
    if (vantor::IsClientCloseAddress(m_pView->GetLocationURL(), m_strLoginHost))
        ::PostMessageA(m_hMainWindow, WM_CLOSE, 0, 0);
}

void CLoginPageEvents::OnWindowClosing() {
    if (m_hMainWindow) ::PostMessageA(m_hMainWindow, WM_CLOSE, 0, 0);
}
