// The address a package URL finally leads to, after the redirects that the
// system's HTTP stack follows, found on a worker thread before the download.
#pragma once

#include <windows.h>

#include <string>

// Opens url through WinINet (the system's proxy settings; agent: the program's
// name) and answers the address of the opened request, or url itself when the
// system cannot tell it. Empty when the session or the URL cannot be opened.
// Nothing of the body is read.
std::string ResolveFinalUrl(const std::string& url);

// The resolve worker's body: resolves url and posts WM_URL_RESOLVED with the
// final address to dialog, or WM_CLOSE when it is empty. It never calls into
// the dialog, which may be gone by the time the answer is there.
unsigned ResolveThreadProc(HWND dialog, const std::string& url);
