#include "DownloadUrl.h"

#include "logic/PathNames.h"
#include "text/DecimalText.h"

namespace vantor {

namespace {

// A control character would end the request line or a header line early and
// let the address add lines of its own to the request.
bool HasControlCharacter(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

}  // namespace

bool SplitDownloadUrl(const std::string& url, DownloadAddress& out) {
    static const std::string kScheme = "http://";
    if (url.compare(0, kScheme.size(), kScheme) != 0 || HasControlCharacter(url)) return false;
    const size_t slash = url.find('/', kScheme.size());
    if (slash == std::string::npos) return false;

    DownloadAddress address;
    address.hostField = url.substr(kScheme.size(), slash - kScheme.size());
    address.path = url.substr(slash);
    const size_t colon = address.hostField.find(':');
    address.host = address.hostField.substr(0, colon);
    if (colon != std::string::npos) address.port = DecimalPrefixValue(address.hostField.substr(colon + 1));
    if (address.host.empty() || address.port < 1 || address.port > 65535) return false;
    out = address;
    return true;
}

std::string PackageNameOfUrl(const std::string& url) {
    const size_t slash = url.rfind('/');
    return slash == std::string::npos ? url : url.substr(slash + 1);
}

bool IsSafePackageName(const std::string& name) {
    return IsPlainFileName(name.data(), name.data() + name.size());
}

}  // namespace vantor
