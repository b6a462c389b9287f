// Winsock start-up and clean-up for the life of an object: the socket library
// is cleaned up exactly once for each successful start-up.
#pragma once

#include <winsock2.h>

namespace fw {

class CWinsockSession {
public:
    CWinsockSession() = default;
    ~CWinsockSession() { Cleanup(); }
    CWinsockSession(const CWinsockSession&) = delete;
    CWinsockSession& operator=(const CWinsockSession&) = delete;

    // WSAStartup asking for version; false when it fails. data receives what
    // the library granted (wVersion: minor in the high byte, major in the low).
    bool Startup(WORD version, WSADATA& data);
    // Cleans up if the library is started; nothing otherwise.
    void Cleanup();
    bool IsStarted() const { return m_bStarted; }

private:
    bool m_bStarted = false;
};

}  // namespace fw
