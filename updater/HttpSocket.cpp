#include "HttpSocket.h"

#include "HostLookup.h"

#include <cstring>

namespace {

constexpr int kWaitSliceMs = 100;  // how often a wait looks at the stop flag

// Milliseconds left until deadline (a GetTickCount value), 0 when it has passed.
int MillisecondsLeft(DWORD deadline) {
    const DWORD now = ::GetTickCount();
    return static_cast<int>(deadline - now) > 0 ? static_cast<int>(deadline - now) : 0;
}

}  // namespace

CHttpSocket::CHttpSocket() { std::memset(m_szRequest, 0, sizeof m_szRequest); }

CHttpSocket::~CHttpSocket() { Close(); }

bool CHttpSocket::CreateSocket() {
    if (m_bConnected) return false;
    const protoent* tcp = ::getprotobyname("tcp");
    m_socket = ::socket(AF_INET, SOCK_STREAM, tcp ? tcp->p_proto : IPPROTO_TCP);
    if (m_socket == INVALID_SOCKET) {
        m_socket = 0;
        return false;
    }
    return true;
}

bool CHttpSocket::Connect(const char* host, int port, int timeoutMs) {
    if (!host) return false;
    if (m_bConnected) Close();
    m_nPort = port;
    // The look-up and the connect share the one time limit.
    const DWORD deadline = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
    if (!LookUpHost(host, timeoutMs, m_pStop, &m_hostAddress)) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(static_cast<u_short>(port));
    address.sin_addr = m_hostAddress;
    // Connected without blocking, so that neither a host that never answers
    // nor a stop waits for the system's own connect time-out.
    u_long nonBlocking = 1;
    if (::ioctlsocket(m_socket, FIONBIO, &nonBlocking) != 0) return false;
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR &&
        ::WSAGetLastError() != WSAEWOULDBLOCK)
        return false;
    for (;;) {
        if (StopRequested()) return false;
        const int left = MillisecondsLeft(deadline);
        if (left == 0) return false;
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(m_socket, &writable);
        FD_SET(m_socket, &failed);
        timeval slice{0, 1000 * (left < kWaitSliceMs ? left : kWaitSliceMs)};
        const int ready = ::select(0, nullptr, &writable, &failed, &slice);
        if (ready == SOCKET_ERROR || FD_ISSET(m_socket, &failed)) return false;
        if (ready > 0) break;
    }
    int error = 0;
    int errorSize = sizeof error;
    if (::getsockopt(m_socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &errorSize) != 0 || error != 0)
        return false;
    // The socket stays non-blocking: a receive takes what has come at once,
    // and only when nothing has come does it wait (WaitReadable), so that a
    // download that flows costs no more calls than a blocking one.
    m_bConnected = true;
    return true;
}

int CHttpSocket::ReceiveWithin(char* buffer, int size, DWORD deadline) const {
    for (;;) {
        const int n = ::recv(m_socket, buffer, size, 0);
        if (n != SOCKET_ERROR || ::WSAGetLastError() != WSAEWOULDBLOCK) return n;
        if (!WaitReadable(MillisecondsLeft(deadline))) return SOCKET_ERROR;
    }
}

bool CHttpSocket::WaitReadable(int milliseconds) const {
    const DWORD deadline = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    for (;;) {
        if (StopRequested()) return false;
        const int left = MillisecondsLeft(deadline);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_socket, &readable);
        timeval slice{0, 1000 * (left < kWaitSliceMs ? left : kWaitSliceMs)};
        const int ready = ::select(0, &readable, nullptr, nullptr, &slice);
        if (ready == SOCKET_ERROR) return false;
        if (ready > 0) return true;
        if (left == 0) return false;
    }
}

const char* CHttpSocket::BuildGetRequest(const char* host, const char* path, int& length, const char* cookie,
                                         const char* referer, long rangeFrom, long rangeTo) {
    vantor::GetRequestFields fields;
    fields.host = host;
    fields.path = path;
    fields.cookie = cookie;
    fields.referer = referer;
    fields.rangeFrom = rangeFrom;
    fields.rangeTo = rangeTo;
    length = vantor::ComposeGetRequest(fields, m_szRequest, sizeof m_szRequest);
    if (length < 0) {
        length = 0;
        return nullptr;
    }
    return m_szRequest;
}

bool CHttpSocket::SendRequest(const char* data, int length) {
    if (!m_bConnected) return false;
    if (!data) data = m_szRequest;
    if (length == 0) length = static_cast<int>(std::strlen(data));
    // Partial sends are carried on until every byte has left.
    for (int sent = 0; sent < length;) {
        int n = ::send(m_socket, data + sent, length - sent, 0);
        if (n == SOCKET_ERROR && ::WSAGetLastError() == WSAEWOULDBLOCK) {
            // The send buffer is full for a moment: wait for room, as a blocking send would.
            fd_set writable;
            FD_ZERO(&writable);
            FD_SET(m_socket, &writable);
            timeval limit{m_nReceiveTimeoutMs / 1000, 0};
            if (StopRequested() || ::select(0, nullptr, &writable, nullptr, &limit) != 1) return false;
            continue;
        }
        if (n == SOCKET_ERROR || n == 0) return false;
        sent += n;
    }
    int headerLength = 0;
    ReadResponseHeader(headerLength);
    return true;
}

int CHttpSocket::Receive(char* buffer, int size) {
    if (!m_bConnected) return 0;
    int n = ReceiveWithin(buffer, size, ::GetTickCount() + static_cast<DWORD>(m_nReceiveTimeoutMs));
    if (n <= 0) Close();
    return n;
}

bool CHttpSocket::Close() {
    if (m_socket != 0) {
        if (::closesocket(m_socket) == SOCKET_ERROR) return false;
    }
    m_socket = 0;
    m_bConnected = false;
    return true;
}

bool CHttpSocket::SetTimeout(int milliseconds, bool forSend) {
    if (!forSend) m_nReceiveTimeoutMs = milliseconds;
    DWORD value = static_cast<DWORD>(milliseconds);
    return ::setsockopt(m_socket, SOL_SOCKET, forSend ? SO_SNDTIMEO : SO_RCVTIMEO,
                        reinterpret_cast<const char*>(&value), sizeof value) == 0;
}

const char* CHttpSocket::ReadResponseHeader(int& length) {
    if (!m_bHeaderRead) {
        // One byte per receive: the header's end is found without taking any body byte.
        const DWORD deadline = ::GetTickCount() + kHeaderTimeoutMs;
        char byte = 0;
        while (ReceiveWithin(&byte, 1, deadline) == 1) {
            if (m_header.Add(byte)) break;
        }
        m_nHeaderLength = m_header.length();
        m_bHeaderRead = true;
    }
    length = m_nHeaderLength;
    return m_header.data();
}

int CHttpSocket::GetHeaderValue(const char* name, char* value, int valueSize) const {
    if (!m_bHeaderRead || valueSize <= 0) return -1;
    return vantor::LookUpHeaderValue(m_header.data(), m_nHeaderLength, name, value, static_cast<size_t>(valueSize));
}
