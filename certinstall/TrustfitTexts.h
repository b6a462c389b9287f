// Every text the certificate installer prints, byte for byte. Texts that carry a
// reason take the system's message text, which ends in its own line break.
#pragma once

namespace trustfit {

// The banner: version line first, then the maker's lines.
inline constexpr char kBannerVersion[] = "KELDA Trustfit Version 1.0.0\n";
inline constexpr char kBannerRest[] =
    "版权所有 (C) 2026 Playmoor 保留所有权利。\n"
    "官方网站：http://www.vantor-online.example/\n"
    "客服邮箱：support@vantor-online.example\n"
    "\n";

inline constexpr char kInvalidParameter[] = "Invalid Parameter!\n\n";

// One %s: the system's reason.
inline constexpr char kOpenFailed[] =
    "Unable to open PKCS#7 file for the reason:%s"
    "Make sure that the file certs.p7b is in the same directory with this application!";
inline constexpr char kSizeFailed[] = "Unable to get size of PKCS#7 file for the reason:%s";
inline constexpr char kAllocFailed[] =
    "Unable to allocate memory for encoded certificate for the reason:%s";
inline constexpr char kReadFailed[] = "Unable to read encoded certificate for the reason:%s";

inline constexpr char kImporting[] = "Importing certificates...\n\n";

// One %s: the system's reason.
inline constexpr char kDecodeFailed[] = "Certificate decode failed for the reason:%s";
inline constexpr char kStoreOpenFailed[] = "Certificate Store open failed for the reason:%s";
// First %s: the certificate's display name.
inline constexpr char kImported[] = "%s certificate imported successfully!\n";
inline constexpr char kImportFailed[] = "%s certificate import failed for the reason:%s\n";

}  // namespace trustfit
