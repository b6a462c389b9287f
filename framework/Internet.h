// WinINet wrappers in the shape the programs use: a session, a URL or HTTP
// connection, a request. Failures raise CInternetException carrying the system
// error, so that each exchange is one try block in the caller.
#pragma once

#include "ScopedHandles.h"

#include <string>

namespace fw {

class CInternetException {
public:
    explicit CInternetException(DWORD error) : m_dwError(error) {}
    DWORD m_dwError;
};

class CHttpFile;
class CHttpConnection;

class CInternetSession {
public:
    // agent: the User-Agent text; accessType: INTERNET_OPEN_TYPE_PRECONFIG uses the system's proxy settings.
    explicit CInternetSession(const char* agent, DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG);
    HINTERNET get() const { return m_session.get(); }

    // Opens an http:// or https:// address with the given INTERNET_FLAG_ values.
    CHttpFile OpenURL(const std::string& url, DWORD flags);
    // A connection to an HTTP server, without user name or password.
    CHttpConnection GetHttpConnection(const std::string& server, INTERNET_PORT port);

private:
    ScopedInternetHandle m_session;
};

class CHttpConnection {
public:
    explicit CHttpConnection(HINTERNET handle) : m_handle(handle) {}
    HINTERNET get() const { return m_handle.get(); }

    // A request of verb on object, default HTTP version, no referrer or accept types.
    CHttpFile OpenRequest(const char* verb, const std::string& object, DWORD flags);

private:
    ScopedInternetHandle m_handle;
};

// An open request or URL whose reply can be read.
class CHttpFile {
public:
    explicit CHttpFile(HINTERNET handle) : m_handle(handle) {}
    HINTERNET get() const { return m_handle.get(); }

    // Adds header lines (CR LF between them) with HTTP_ADDREQ_ flags.
    void AddRequestHeaders(const std::string& headers, DWORD flags);
    // Starts the request announcing totalLength bytes of body (its Content-Length).
    void SendRequestEx(DWORD totalLength);
    void Write(const void* data, DWORD size);
    void EndRequest();

    // Reads at most size bytes; returns the number read (0 at the end).
    DWORD Read(void* buffer, DWORD size);
    // Reads the whole remaining reply.
    std::string ReadAll();
    // The HTTP status code of the reply.
    DWORD QueryStatusCode();

private:
    ScopedInternetHandle m_handle;
};

}  // namespace fw
