#include "Winsock.h"

namespace fw {

bool CWinsockSession::Startup(WORD version, WSADATA& data) {
    Cleanup();
    m_bStarted = ::WSAStartup(version, &data) == 0;
    return m_bStarted;
}

void CWinsockSession::Cleanup() {
    if (!m_bStarted) return;
    ::WSACleanup();
    m_bStarted = false;
}

}  // namespace fw
