// Where the installer looks for certs.p7b: beside the program when the
// program's own path ends in a three-letter extension, else in the current folder.
#pragma once

#include <string>

namespace trustfit {

inline constexpr char kCertificateFileName[] = "certs.p7b";

// Tells whether a byte starts a double-byte character in the ANSI code page.
using LeadByteTest = bool (*)(unsigned char);

// modulePath: the program's full path as the system reports it (ANSI).
std::string CertificateFilePath(const std::string& modulePath, LeadByteTest isLeadByte);

}  // namespace trustfit
