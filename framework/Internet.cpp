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
