// The package address as the download worker takes it apart: host, port and
// path for the socket client, and the name the package is stored under.
#pragma once

#include <string>

namespace vantor {

struct DownloadAddress {
    std::string hostField;  // as it goes into the Host line: with ":port" when the URL had one
    std::string host;       // what is looked up and connected to: hostField without ":" and what follows
    int port = 80;          // decimal value of the text after the first ":" of hostField
    std::string path;       // from the first "/" after the host to the end, query included
};

// Splits an address that begins with "http://" (case-sensitive). Returns false,
// which the worker treats as a failed download, when it does not begin so, has
// no "/" after the host, has an empty host, names a port outside 1-65535, or
// holds a control character (a CR or LF would add lines to the request).
bool SplitDownloadUrl(const std::string& url, DownloadAddress& out);

// The package name: everything after the last "/" of the address (a query
// string included); the whole address when it has no "/".
std::string PackageNameOfUrl(const std::string& url);

// Whether a package name stays a plain file name inside the Update folder: not
// empty, not made only of dots and blanks, and free of "\", "/", ":" and
// control characters (checked as GBK text, so a trail byte 0x5C is no "\").
bool IsSafePackageName(const std::string& name);

}  // namespace vantor
