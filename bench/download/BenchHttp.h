// The download benchmark's HTTP text: the package address taken apart, the
// GET request byte for byte as the updater's socket client sends it, and the
// Content-Length of a received header. No windows.h: tested natively.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct PackageAddress {
    std::string hostField;  // for the Host line, with ":port" when the address had one
    std::string host;       // what is looked up: hostField up to its ":"
    int port = 80;
    std::string path;       // from the first "/" after the host, query included
};

// Takes apart an address that begins with "http://" and has a "/" after a
// non-empty host and a port, if any, within 1-65535. False otherwise.
bool SplitPackageAddress(const std::string& url, PackageAddress& out);

// The updater's request: request line, Host, Accept, User-Agent, Connection
// and the blank line, header names without a blank after the colon.
std::string UpdaterRequest(const PackageAddress& address);

// Whether the bytes received so far end the header (CR LF CR LF).
bool HeaderEnded(const std::string& header);

// The value of the first "Content-Length" header line, found as the updater
// finds it (case-sensitive), read as an unsigned decimal; -1 when the line is
// missing or its value is not a number that fits in 63 bits.
int64_t ContentLength(const std::string& header);

}  // namespace bench
