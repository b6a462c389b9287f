#include "CertificateFilePath.h"

namespace trustfit {

std::string CertificateFilePath(const std::string& modulePath, LeadByteTest isLeadByte) {
    const size_t n = modulePath.size();
    if (n <= 4 || modulePath[n - 4] != '.') return kCertificateFileName;
    // The folder keeps its trailing backslash. The trail byte of a double-byte
    // character may be 0x5C, so the last backslash is found character by character.
    size_t folderEnd = 0;  // one past the last backslash; 0 when there is none
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(modulePath[i]);
        if (isLeadByte(c) && i + 1 < n) {
            ++i;
        } else if (c == '\\') {
            folderEnd = i + 1;
        }
    }
    return modulePath.substr(0, folderEnd) + kCertificateFileName;
}

}  // namespace trustfit
