#include "HttpSocket.h"

#include <cstring>

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

bool CHttpSocket::Connect(const char* host, int port) {
    if (!host) return false;
    if (m_bConnected) Close();
    m_nPort = port;
    m_pHostEntry = ::gethostbyname(host);
    if (!m_pHostEntry || m_pHostEntry->h_addrtype != AF_INET || !m_pHostEntry->h_addr_list[0]) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(static_cast<u_short>(port));
    std::memcpy(&address.sin_addr, m_pHostEntry->h_addr_list[0], sizeof address.sin_addr);
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR)
        return false;
    m_bConnected = true;
    return true;
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
        if (n == SOCKET_ERROR || n == 0) return false;
        sent += n;
    }
    int headerLength = 0;
    ReadResponseHeader(headerLength);
    return true;
}

int CHttpSocket::Receive(char* buffer, int size) {
    if (!m_bConnected) return 0;
    int n = ::recv(m_socket, buffer, size, 0);
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
    DWORD value = static_cast<DWORD>(milliseconds);
    return ::setsockopt(m_socket, SOL_SOCKET, forSend ? SO_SNDTIMEO : SO_RCVTIMEO,
                        reinterpret_cast<const char*>(&value), sizeof value) == 0;
}

const char* CHttpSocket::ReadResponseHeader(int& length) {
    if (!m_bHeaderRead) {
        // One byte per receive: the header's end is found without taking any body byte.
        char byte = 0;
        while (::recv(m_socket, &byte, 1, 0) == 1) {
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
