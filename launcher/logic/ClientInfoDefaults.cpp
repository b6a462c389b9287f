#include "ClientInfoDefaults.h"

namespace vantor {

std::string DefaultClientInfoContent(const DefaultLoginHosts& hosts) {
    // Region names are written as GBK bytes so that the host build (whose
    // compiler keeps UTF-8 literals) produces the same file as the program.
    const std::string lines[] = {
        "[ClientInfo]",
        "Version=2006.01.15",
        "Channel=234",
        "[Locations]",
        "count = 3",
        "[location1]",
        "ID = 1",
        "Name = \xbb\xaa\xc4\xcf\xb4\xf3\xc7\xf8",  // 华南大区
        "Host = " + hosts.server1,
        "Port = 80",
        "Func = Login.aspx",
        "[location2]",
        "ID = 2",
        "Name = \xbb\xaa\xb1\xb1\xcd\xf8\xcd\xa8",  // 华北网通
        "Host = " + hosts.server2,
        "Port = 80",
        "Func = Login.aspx",
        "[location3]",
        "ID = 3",
        "Name = \xce\xf7\xb2\xbf\xb5\xe7\xd0\xc5",  // 西部电信
        "Host = " + hosts.server3,
        "Port = 80",
        "Func = login.aspx",
    };
    std::string content;
    bool first = true;
    for (const std::string& line : lines) {
        if (!first) content += "\t\t\t\t\t ";
        first = false;
        content += line;
        content += "\r\n";
    }
    content.push_back('\0');
    return content;
}

}  // namespace vantor
