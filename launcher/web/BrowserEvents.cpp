#include "web/BrowserEvents.h"

#include "framework/ScopedHandles.h"

#include <exdisp.h>
#include <ocidl.h>

namespace vantor {

namespace {

HRESULT FindBrowserEventPoint(IUnknown* source, fw::ScopedComPtr<IConnectionPoint>& point) {
    if (!source) return E_POINTER;
    fw::ScopedComPtr<IConnectionPointContainer> container;
    HRESULT hr = source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put()));
    if (FAILED(hr)) return hr;
    if (!container) return E_NOINTERFACE;
    hr = container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.put());
    if (SUCCEEDED(hr) && !point) hr = E_NOINTERFACE;
    return hr;
}

}  // namespace

HRESULT ConnectBrowserEvents(IUnknown* source, IUnknown* sink, DWORD& cookie) {
    cookie = 0;
    if (!sink) return E_POINTER;
    fw::ScopedComPtr<IConnectionPoint> point;
    HRESULT hr = FindBrowserEventPoint(source, point);
    if (FAILED(hr)) return hr;
    hr = point->Advise(sink, &cookie);
    if (FAILED(hr)) cookie = 0;
    return hr;
}

HRESULT DisconnectBrowserEvents(IUnknown* source, DWORD cookie) {
    fw::ScopedComPtr<IConnectionPoint> point;
    HRESULT hr = FindBrowserEventPoint(source, point);
    if (FAILED(hr)) return hr;
    return point->Unadvise(cookie);
}

}  // namespace vantor
