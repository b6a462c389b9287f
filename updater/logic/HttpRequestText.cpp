#include "HttpRequestText.h"

#include <cstring>
#include <string>

namespace vantor {

int ComposeGetRequest(const GetRequestFields& fields, char* buffer, size_t bufferSize) {
    if (buffer == nullptr || bufferSize == 0) return -1;
    buffer[0] = '\0';
    if (fields.host == nullptr || fields.path == nullptr) return -1;

    std::string request;
    request.reserve(256);
    request.append("GET ").append(fields.path).append(" HTTP/1.1\r\n");
    request.append("Host:").append(fields.host).append("\r\n");
    if (fields.referer != nullptr) request.append("Referer:").append(fields.referer).append("\r\n");
    request.append("Accept:*/*\r\n");
    request.append("User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n");
    request.append("Connection:Keep-Alive\r\n");
    if (fields.cookie != nullptr) request.append("Cookie:").append(fields.cookie).append("\r\n");
    if (fields.rangeFrom > 0) {
        // An open range ("100-") unless the end lies beyond the start.
        request.append("Range: bytes=").append(std::to_string(fields.rangeFrom)).append("-");
        if (fields.rangeTo > fields.rangeFrom) request.append(std::to_string(fields.rangeTo));
        request.append("\r\n");
    }
    request.append("\r\n");

    if (request.size() + 1 > bufferSize) return -1;
    std::memcpy(buffer, request.c_str(), request.size() + 1);
    return static_cast<int>(request.size());
}

}  // namespace vantor
