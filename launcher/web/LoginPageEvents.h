// CLoginPageEvents: the dialog's own listener on the login page view. The page
// of the login host ends the launcher by navigating to its "clientclose.html"
// or by closing its window; either posts WM_CLOSE to the main window.
// (The notice and banner views' events need no answer, so only this view is
// listened to.)
//
// A member of the dialog, living as long as the dialog; the reference count
// only follows the COM rules.
#pragma once

#include "web/Explorer1.h"

#include <oaidl.h>

#include <string>

class CLoginPageEvents : public IDispatch {
public:
    CLoginPageEvents() = default;
    ~CLoginPageEvents();
    CLoginPageEvents(const CLoginPageEvents&) = delete;
    CLoginPageEvents& operator=(const CLoginPageEvents&) = delete;

    // Subscribes to view's browser events; mainWindow receives WM_CLOSE when the
    // view reaches "https://" + loginHost + "/clientclose.html" exactly.
    HRESULT Connect(const CExplorer1& view, HWND mainWindow, const std::string& loginHost);
    // Unsubscribes; the dialog does this when its window goes.
    void Disconnect();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

private:
    void OnNavigateComplete2();
    void OnWindowClosing();

    LONG m_nRef = 0;
    const CExplorer1* m_pView = nullptr;
    HWND m_hMainWindow = nullptr;
    std::string m_strLoginHost;
    fw::ScopedComPtr<IUnknown> m_source;  // the browser subscribed to
    DWORD m_dwCookie = 0;
};
