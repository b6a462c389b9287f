#include "EnvironmentCommands.h"

namespace vantor {

std::vector<std::string> EnvironmentCommands(const std::string& prefix, const std::string& launcherFolder) {
    return {
        prefix + "regsvr32.exe /s \"" + launcherFolder + "PlaymoorEncrypt.dll\"",
        prefix + "regsvr32.exe /s \"" + launcherFolder + "PlaymoorPlugin.dll\"",
        launcherFolder + "certs\\Trustfit.exe",
    };
}

}  // namespace vantor
