#include "web/ViewSink.h"

#include "framework/ScopedHandles.h"

bool AttachBorderlessSink(const CExplorer1& view, CBrowserSink& sink) {
    fw::ScopedComPtr<IUnknown> control(view.GetControlUnknown());
    if (!control) return false;
    fw::ScopedComPtr<IWebBrowser2> browser;
    if (FAILED(control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.put()))) || !browser)
        return false;
    sink.m_bShow3DBorder = FALSE;
    sink.m_bShowScrollBars = FALSE;
    sink.AttachBrowser(browser.get());
    return true;
}
