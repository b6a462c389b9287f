#include "Internet.h"

namespace fw {

CInternetSession::CInternetSession(const char* agent, DWORD accessType)
    : m_session(::InternetOpenA(agent, accessType, nullptr, nullptr, 0)) {
    if (!m_session) throw CInternetException(::GetLastError());
}

CHttpFile CInternetSession::OpenURL(const std::string& url, DWORD flags) {
    HINTERNET handle = ::InternetOpenUrlA(m_session.get(), url.c_str(), nullptr, 0, flags, 0);
    if (!handle) throw CInternetException(::GetLastError());
    return CHttpFile(handle);
}

CHttpConnection CInternetSession::GetHttpConnection(const std::string& server, INTERNET_PORT port) {
    HINTERNET handle =
        ::InternetConnectA(m_session.get(), server.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    if (!handle) throw CInternetException(::GetLastError());
    return CHttpConnection(handle);
}

CHttpFile CHttpConnection::OpenRequest(const char* verb, const std::string& object, DWORD flags) {
    HINTERNET handle = ::HttpOpenRequestA(m_handle.get(), verb, object.c_str(), nullptr, nullptr, nullptr, flags, 0);
    if (!handle) throw CInternetException(::GetLastError());
    return CHttpFile(handle);
}

void CHttpFile::AddRequestHeaders(const std::string& headers, DWORD flags) {
    if (!::HttpAddRequestHeadersA(m_handle.get(), headers.c_str(), static_cast<DWORD>(headers.size()), flags))
        throw CInternetException(::GetLastError());
}

void CHttpFile::SendRequestEx(DWORD totalLength) {
    INTERNET_BUFFERSA buffers{};
    buffers.dwStructSize = sizeof(buffers);
    buffers.dwBufferTotal = totalLength;
    if (!::HttpSendRequestExA(m_handle.get(), &buffers, nullptr, 0, 0)) throw CInternetException(::GetLastError());
}

void CHttpFile::Write(const void* data, DWORD size) {
    DWORD written = 0;
    if (!::InternetWriteFile(m_handle.get(), data, size, &written) || written != size)
        throw CInternetException(::GetLastError());
}

void CHttpFile::EndRequest() {
    if (!::HttpEndRequestA(m_handle.get(), nullptr, 0, 0)) throw CInternetException(::GetLastError());
}

DWORD CHttpFile::Read(void* buffer, DWORD size) {
    DWORD read = 0;
    if (!::InternetReadFile(m_handle.get(), buffer, size, &read)) throw CInternetException(::GetLastError());
    return read;
}

std::string CHttpFile::ReadAll() {
    std::string content;
    char buffer[4096];
    while (DWORD read = Read(buffer, sizeof(buffer))) content.append(buffer, read);
    return content;
}

DWORD CHttpFile::QueryStatusCode() {
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::HttpQueryInfoA(m_handle.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        throw CInternetException(::GetLastError());
    return status;
}

}  // namespace fw
