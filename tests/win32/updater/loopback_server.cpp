#include "loopback_server.h"

#include <process.h>

LoopbackServer::LoopbackServer() {
    ::WSAStartup(MAKEWORD(2, 0), &m_wsa);
    m_listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
    m_nPort = ::ntohs(address.sin_port);
    ::listen(m_listener, 1);
}

LoopbackServer::~LoopbackServer() {
    if (m_thread) ::WaitForSingleObject(m_thread.get(), 30000);
    ::closesocket(m_listener);
    ::WSACleanup();
}

void LoopbackServer::Serve(std::vector<Step> steps, DWORD holdOpenMs) {
    m_steps = std::move(steps);
    m_nHoldOpenMs = holdOpenMs;
    m_thread.reset(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, Run, this, 0, nullptr)));
}

std::string LoopbackServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_nPort) + path;
}

std::string LoopbackServer::Request() {
    if (m_thread) ::WaitForSingleObject(m_thread.get(), 30000);
    return m_strRequest;
}

unsigned __stdcall LoopbackServer::Run(void* param) {
    auto* self = static_cast<LoopbackServer*>(param);
    SOCKET peer = ::accept(self->m_listener, nullptr, nullptr);
    if (peer == INVALID_SOCKET) return 1;
    char byte;
    while (self->m_strRequest.size() < 4 || self->m_strRequest.compare(self->m_strRequest.size() - 4, 4, "\r\n\r\n")) {
        if (::recv(peer, &byte, 1, 0) != 1) break;
        self->m_strRequest += byte;
    }
    for (const Step& step : self->m_steps) {
        for (size_t sent = 0; sent < step.bytes.size();) {
            int n = ::send(peer, step.bytes.data() + sent, static_cast<int>(step.bytes.size() - sent), 0);
            if (n <= 0) break;
            sent += static_cast<size_t>(n);
        }
        if (step.pauseMs) ::Sleep(step.pauseMs);
    }
    if (self->m_nHoldOpenMs) ::Sleep(self->m_nHoldOpenMs);
    ::shutdown(peer, SD_BOTH);
    ::closesocket(peer);
    return 0;
}
