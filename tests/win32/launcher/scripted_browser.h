// Scripted stand-ins for the WebBrowser control and its document: they answer
// only what the launcher's web-view code asks, each answer can be made to fail,
// and every reference, subscription and dispatch call is counted or recorded,
// so a test sees what the real code did to a browser.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtml.h>
#include <mshtmhst.h>
#include <ocidl.h>

#include <string>
#include <utility>
#include <vector>

namespace scripted {

// Reference counting without deletion: the test owns the objects on its stack
// and checks that every reference taken was given back.
class RefCount {
public:
    ULONG Add() { return static_cast<ULONG>(++m_count); }
    ULONG Drop() { return static_cast<ULONG>(--m_count); }
    long Count() const { return m_count; }

private:
    long m_count = 0;
};

// A loaded document: IDispatch, and ICustomDoc unless told otherwise.
class Document : public IDispatch, public ICustomDoc {
public:
    ~Document();
    bool answersCustomDoc = true;
    HRESULT setHandlerResult = S_OK;
    IDocHostUIHandler* handler = nullptr;  // set through ICustomDoc, referenced
    int setHandlerCalls = 0;
    RefCount refs;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return refs.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs.Drop(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetUIHandler(IDocHostUIHandler* pUIHandler) override;
};

// One dispatch call the browser received.
struct DispatchCall {
    DISPID id;
    WORD flags;
    std::vector<VARTYPE> types;   // of the arguments, in the array's order (last argument first)
    std::vector<SCODE> errors;    // V_ERROR of the VT_ERROR arguments
    std::string address;          // the BSTR argument, if any (ASCII)
    bool named = false;           // named arguments were passed
};

// The order of subscriptions across several browsers.
using Journal = std::vector<std::string>;

// The browser: IWebBrowser2 (with its IDispatch), IConnectionPointContainer and
// its one browser-event connection point.
class Browser : public IWebBrowser2, public IConnectionPointContainer, public IConnectionPoint {
public:
    explicit Browser(std::string name = "browser", Journal* journal = nullptr)
        : m_name(std::move(name)), m_journal(journal) {}
    ~Browser();

    // Knobs.
    bool answersWebBrowser2 = true;
    bool answersConnectionPoints = true;
    HRESULT documentResult = S_OK;
    Document* document = nullptr;      // what get_Document hands out (may be null)
    std::string locationURL;           // what property 211 answers
    HRESULT invokeResult = S_OK;

    // What happened.
    std::vector<DispatchCall> calls;
    IDispatch* subscriber = nullptr;   // the event interface the sink gave on Advise
    DWORD cookie = 0;                  // of the current subscription
    std::vector<DWORD> givenBack;      // cookies passed to Unadvise
    RefCount refs;

    // Fires an event at the subscriber as the browser would, arguments last to first.
    HRESULT FireNavigateComplete2(IDispatch* frame, const wchar_t* url);
    HRESULT FireWindowClosing();
    HRESULT FireNavigateError(IDispatch* frame, const wchar_t* url);

    // IUnknown, shared by the three interfaces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return refs.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs.Drop(); }

    // IDispatch: Navigate (104) and LocationURL (211) are recorded and answered.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    HRESULT STDMETHODCALLTYPE get_Document(IDispatch** ppDisp) override;

    // IConnectionPointContainer.
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // IConnectionPoint.
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookieOut) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookieIn) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

#define NOT_SCRIPTED(name, params) \
    HRESULT STDMETHODCALLTYPE name params override { return E_NOTIMPL; }
    NOT_SCRIPTED(GoBack, ()) NOT_SCRIPTED(GoForward, ()) NOT_SCRIPTED(GoHome, ()) NOT_SCRIPTED(GoSearch, ())
    NOT_SCRIPTED(Navigate, (BSTR, VARIANT*, VARIANT*, VARIANT*, VARIANT*)) NOT_SCRIPTED(Refresh, ())
    NOT_SCRIPTED(Refresh2, (VARIANT*)) NOT_SCRIPTED(Stop, ()) NOT_SCRIPTED(get_Application, (IDispatch**))
    NOT_SCRIPTED(get_Parent, (IDispatch**)) NOT_SCRIPTED(get_Container, (IDispatch**))
    NOT_SCRIPTED(get_TopLevelContainer, (VARIANT_BOOL*)) NOT_SCRIPTED(get_Type, (BSTR*))
    NOT_SCRIPTED(get_Left, (LONG*)) NOT_SCRIPTED(put_Left, (LONG)) NOT_SCRIPTED(get_Top, (LONG*))
    NOT_SCRIPTED(put_Top, (LONG)) NOT_SCRIPTED(get_Width, (LONG*)) NOT_SCRIPTED(put_Width, (LONG))
    NOT_SCRIPTED(get_Height, (LONG*)) NOT_SCRIPTED(put_Height, (LONG)) NOT_SCRIPTED(get_LocationName, (BSTR*))
    NOT_SCRIPTED(get_LocationURL, (BSTR*)) NOT_SCRIPTED(get_Busy, (VARIANT_BOOL*)) NOT_SCRIPTED(Quit, ())
    NOT_SCRIPTED(ClientToWindow, (int*, int*)) NOT_SCRIPTED(PutProperty, (BSTR, VARIANT))
    NOT_SCRIPTED(GetProperty, (BSTR, VARIANT*)) NOT_SCRIPTED(get_Name, (BSTR*))
    NOT_SCRIPTED(get_HWND, (SHANDLE_PTR*)) NOT_SCRIPTED(get_FullName, (BSTR*)) NOT_SCRIPTED(get_Path, (BSTR*))
    NOT_SCRIPTED(get_Visible, (VARIANT_BOOL*)) NOT_SCRIPTED(put_Visible, (VARIANT_BOOL))
    NOT_SCRIPTED(get_StatusBar, (VARIANT_BOOL*)) NOT_SCRIPTED(put_StatusBar, (VARIANT_BOOL))
    NOT_SCRIPTED(get_StatusText, (BSTR*)) NOT_SCRIPTED(put_StatusText, (BSTR)) NOT_SCRIPTED(get_ToolBar, (int*))
    NOT_SCRIPTED(put_ToolBar, (int)) NOT_SCRIPTED(get_MenuBar, (VARIANT_BOOL*))
    NOT_SCRIPTED(put_MenuBar, (VARIANT_BOOL)) NOT_SCRIPTED(get_FullScreen, (VARIANT_BOOL*))
    NOT_SCRIPTED(put_FullScreen, (VARIANT_BOOL))
    NOT_SCRIPTED(Navigate2, (VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*))
    NOT_SCRIPTED(QueryStatusWB, (OLECMDID, OLECMDF*))
    NOT_SCRIPTED(ExecWB, (OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*))
    NOT_SCRIPTED(ShowBrowserBar, (VARIANT*, VARIANT*, VARIANT*)) NOT_SCRIPTED(get_ReadyState, (READYSTATE*))
    NOT_SCRIPTED(get_Offline, (VARIANT_BOOL*)) NOT_SCRIPTED(put_Offline, (VARIANT_BOOL))
    NOT_SCRIPTED(get_Silent, (VARIANT_BOOL*)) NOT_SCRIPTED(put_Silent, (VARIANT_BOOL))
    NOT_SCRIPTED(get_RegisterAsBrowser, (VARIANT_BOOL*)) NOT_SCRIPTED(put_RegisterAsBrowser, (VARIANT_BOOL))
    NOT_SCRIPTED(get_RegisterAsDropTarget, (VARIANT_BOOL*)) NOT_SCRIPTED(put_RegisterAsDropTarget, (VARIANT_BOOL))
    NOT_SCRIPTED(get_TheaterMode, (VARIANT_BOOL*)) NOT_SCRIPTED(put_TheaterMode, (VARIANT_BOOL))
    NOT_SCRIPTED(get_AddressBar, (VARIANT_BOOL*)) NOT_SCRIPTED(put_AddressBar, (VARIANT_BOOL))
    NOT_SCRIPTED(get_Resizable, (VARIANT_BOOL*)) NOT_SCRIPTED(put_Resizable, (VARIANT_BOOL))
#undef NOT_SCRIPTED

private:
    HRESULT Fire(DISPID id, VARIANT* args, UINT count);

    std::string m_name;
    Journal* m_journal;
    DWORD m_nextCookie = 0x100;
};

}  // namespace scripted
