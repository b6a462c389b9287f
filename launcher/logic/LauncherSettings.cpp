#include "LauncherSettings.h"

namespace vantor {

std::string FolderOfModulePath(const std::string& modulePath) {
    // Step by character so that a GBK trail byte equal to '\' is never taken
    // for a separator.
    size_t cut = std::string::npos;
    for (size_t i = 0; i < modulePath.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(modulePath[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < modulePath.size()) {
            ++i;  // lead byte: the next byte belongs to the same character
            continue;
        }
        if (c == '\\') cut = i;
    }
    return cut == std::string::npos ? std::string() : modulePath.substr(0, cut + 1);
}

bool LocationNeedsWrite(const std::string& stored, const std::string& launcherFolder) {
    return stored.empty() || stored != launcherFolder;
}

int StatHostFromLocationServer(const std::string& locationServer, int current) {
    if (locationServer == "1") return 0;
    if (locationServer == "2") return 1;
    return current;
}

std::string VersionLabelText(const std::string& launcherVersion) {
    return "\xb0\xe6\xb1\xbe\xba\xc5\xa3\xba" + launcherVersion;  // 版本号：
}

}  // namespace vantor
