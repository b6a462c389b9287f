// The package address as the download worker takes it: split for the socket
// client, composed into the request, and turned into the name the package is
// stored under. The address comes from a remote reply and a redirect, so none
// of its bytes may add request lines or lead the file out of the Update folder.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "logic/DownloadUrl.h"
#include "logic/HttpRequestText.h"
#include "text/GbkText.h"

namespace {

size_t CountCrLf(const char* text) {
    size_t count = 0;
    for (const char* p = std::strstr(text, "\r\n"); p != nullptr; p = std::strstr(p + 2, "\r\n")) ++count;
    return count;
}

void CheckSplit(const std::string& url) {
    vantor::DownloadAddress address;
    if (!vantor::SplitDownloadUrl(url, address)) return;
    if (url.compare(0, 7, "http://") != 0 || address.hostField + address.path != url.substr(7)) __builtin_trap();
    if (address.path.empty() || address.path[0] != '/' || address.hostField.find('/') != std::string::npos)
        __builtin_trap();
    if (address.host.empty() || address.host.find(':') != std::string::npos ||
        address.hostField.compare(0, address.host.size(), address.host) != 0)
        __builtin_trap();
    if (address.port < 1 || address.port > 65535) __builtin_trap();
    if (address.hostField.size() == address.host.size() && address.port != 80) __builtin_trap();

    // The request the worker sends: exactly its six lines, whatever the address holds.
    vantor::GetRequestFields fields;
    fields.host = address.hostField.c_str();
    fields.path = address.path.c_str();
    char request[vantor::kHttpRequestBufferSize];
    const int length = vantor::ComposeGetRequest(fields, request, sizeof(request));
    if (length < 0) {
        if (request[0] != '\0') __builtin_trap();
        return;
    }
    if (static_cast<size_t>(length) != std::strlen(request) || static_cast<size_t>(length) >= sizeof(request))
        __builtin_trap();
    if (CountCrLf(request) != 6 || std::strstr(request, "\r\n\r\n") != request + length - 4) __builtin_trap();
}

void CheckName(const std::string& name) {
    if (!vantor::IsSafePackageName(name)) return;
    if (name.empty() || name.find_first_not_of(". ") == std::string::npos) __builtin_trap();
    const char* end = name.data() + name.size();
    for (const char* p = name.data(); p < end; p += vantor::GbkCharLength(p, end)) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\\' || c == '/' || c == ':' || c < 0x20) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckSplit(text);
    CheckSplit("http://" + text);

    const std::string name = vantor::PackageNameOfUrl(text);
    if (name.find('/') != std::string::npos || text.size() < name.size() ||
        text.compare(text.size() - name.size(), name.size(), name) != 0)
        __builtin_trap();
    CheckName(name);
    CheckName(text);
    return 0;
}
