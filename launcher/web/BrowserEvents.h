// Subscribing to a browser's events: the browser-event connection point
// (DWebBrowserEvents2) of the object's connection-point container.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace vantor {

// Advises sink on source's DWebBrowserEvents2 connection point; the cookie
// comes back in cookie (0 on failure). Failures are results, not reports.
HRESULT ConnectBrowserEvents(IUnknown* source, IUnknown* sink, DWORD& cookie);

// Gives the cookie back to source's DWebBrowserEvents2 connection point.
HRESULT DisconnectBrowserEvents(IUnknown* source, DWORD cookie);

}  // namespace vantor
