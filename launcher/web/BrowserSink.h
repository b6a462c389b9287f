// CBrowserSink: listens to one web view's browser events and, on every
// completed navigation, installs itself as the new document's host UI handler,
// so that the page can be shown without 3-D border and scroll bars.
//
// The sink is a member of its dialog and lives exactly as long as the dialog:
// the reference count follows the COM rules, but reaching 0 does not destroy it.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>

class CBrowserSink : public DWebBrowserEvents2, public IDocHostUIHandler {
public:
    CBrowserSink() = default;
    ~CBrowserSink();
    CBrowserSink(const CBrowserSink&) = delete;
    CBrowserSink& operator=(const CBrowserSink&) = delete;

    // Leaves the current browser, if any (unsubscribes, then releases it), keeps
    // a reference to browser and subscribes to its events.
    void AttachBrowser(IWebBrowser2* browser);
    // Unsubscribes from the current browser and releases it; the dialog does
    // this when its window goes.
    void DetachBrowser();

    // IUnknown: the event interface for DWebBrowserEvents2, the UI handler
    // for IDocHostUIHandler and IUnknown, nothing else.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch of the event interface.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    // IDocHostUIHandler: only GetHostInfo answers; everything else keeps the
    // browser's own behaviour, its context menu included.
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD id, POINT* point, IUnknown* target, IDispatch* object) override;
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                                     IOleInPlaceFrame* frame, IOleInPlaceUIWindow* doc) override;
    HRESULT STDMETHODCALLTYPE HideUI() override;
    HRESULT STDMETHODCALLTYPE UpdateUI() override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, const GUID* group, DWORD command) override;
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* target, IDropTarget** replacement) override;
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) override;
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD translate, LPWSTR in, LPWSTR* out) override;
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* object, IDataObject** replacement) override;

private:
    void InstallOnDocumentOf(IDispatch* frame);

    LONG m_nRef = 0;
    IWebBrowser2* m_pBrowser = nullptr;  // owned reference
    DWORD m_dwCookie = 0;                // of the subscription to m_pBrowser

public:
    BOOL m_bShow3DBorder = TRUE;    // FALSE asks each page for no 3-D border
    BOOL m_bShowScrollBars = TRUE;  // FALSE asks each page for no scroll bars
};
