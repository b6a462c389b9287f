// How the dialog puts a sink on one of its web views.
#pragma once

#include "web/BrowserSink.h"
#include "web/Explorer1.h"

// Asks the view's control for IWebBrowser2; when it answers, clears both of the
// sink's flags (no 3-D border, no scroll bars) and attaches the sink to that
// browser. A view that does not answer keeps the browser's own look.
bool AttachBorderlessSink(const CExplorer1& view, CBrowserSink& sink);
