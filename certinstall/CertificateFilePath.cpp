#include "CertificateFilePath.h"

#include "text/GbkText.h"

namespace trustfit {

std::string CertificateFilePath(const std::string& modulePath, const vantor::LeadByteRule& rule) {
    const size_t n = modulePath.size();
    if (n <= 4 || modulePath[n - 4] != '.') return kCertificateFileName;
    // The folder keeps its trailing backslash.
    const size_t lastBackslash = vantor::FindLastBackslash(modulePath, rule);
    const size_t folderEnd = lastBackslash == std::string::npos ? 0 : lastBackslash + 1;
    return modulePath.substr(0, folderEnd) + kCertificateFileName;
}

}  // namespace trustfit
