// Where the installer looks for certs.p7b: beside the program when the
// program's own path ends in a three-letter extension, else in the current folder.
#pragma once

#include "text/GbkText.h"

#include <string>

namespace trustfit {

inline constexpr char kCertificateFileName[] = "certs.p7b";

// modulePath: the program's full path as the system reports it, stepped by the
// system code page's rule (under 936 a GBK trail byte 0x5C is no separator).
std::string CertificateFilePath(const std::string& modulePath,
                                const vantor::LeadByteRule& rule = vantor::LeadByteRule::Gbk());

}  // namespace trustfit
