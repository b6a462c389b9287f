#include "LauncherSettings.h"

namespace vantor {

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
