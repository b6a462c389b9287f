#include "BenchHttp.h"

namespace bench {

bool SplitPackageAddress(const std::string& url, PackageAddress& out) {
    static const std::string kScheme = "http://";
    if (url.compare(0, kScheme.size(), kScheme) != 0) return false;
    const size_t slash = url.find('/', kScheme.size());
    if (slash == std::string::npos || slash == kScheme.size()) return false;
    PackageAddress address;
    address.hostField = url.substr(kScheme.size(), slash - kScheme.size());
    address.path = url.substr(slash);
    const size_t colon = address.hostField.find(':');
    address.host = address.hostField.substr(0, colon);
    if (address.host.empty()) return false;
    if (colon != std::string::npos) {
        const std::string digits = address.hostField.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        address.port = std::stoi(digits);
        if (address.port < 1 || address.port > 65535) return false;
    }
    out = address;
    return true;
}

std::string UpdaterRequest(const PackageAddress& address) {
    return "GET " + address.path + " HTTP/1.1\r\n"
           "Host:" + address.hostField + "\r\n"
           "Accept:*/*\r\n"
           "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
           "Connection:Keep-Alive\r\n"
           "\r\n";
}

bool HeaderEnded(const std::string& header) {
    return header.size() >= 4 && header.compare(header.size() - 4, 4, "\r\n\r\n") == 0;
}

int64_t ContentLength(const std::string& header) {
    static const std::string kName = "Content-Length";
    const size_t found = header.find(kName);
    if (found == std::string::npos) return -1;
    size_t at = found + kName.size();
    if (at >= header.size() || header[at] != ':') return -1;
    ++at;
    while (at < header.size() && header[at] == ' ') ++at;
    int64_t value = 0;
    size_t digits = 0;
    for (; at < header.size() && header[at] >= '0' && header[at] <= '9'; ++at, ++digits) {
        if (value > (INT64_MAX - 9) / 10) return -1;
        value = value * 10 + (header[at] - '0');
    }
    while (at < header.size() && header[at] == ' ') ++at;
    if (digits == 0 || header.compare(at, 2, "\r\n") != 0) return -1;
    return value;
}

}  // namespace bench
