// The default content of ClientInfo.ini, which the launcher writes when the
// file is missing. Platform-free, so the exact bytes are tested natively.
#pragma once

#include <string>

namespace vantor {

struct DefaultLoginHosts {
    std::string server1;
    std::string server2;
    std::string server3;
};

// The whole file as written: ANSI (GBK) text, CR LF line ends, every line after
// the first indented by five tabs and a blank, and one zero byte at the end.
std::string DefaultClientInfoContent(const DefaultLoginHosts& hosts);

}  // namespace vantor
