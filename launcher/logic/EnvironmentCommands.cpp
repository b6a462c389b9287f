#include "EnvironmentCommands.h"

namespace vantor {

std::vector<std::string> EnvironmentCommands(const std::string& systemFolder, const std::string& launcherFolder) {
    const std::string registration = "\"" + systemFolder + "regsvr32.exe\" /s \"";
    return {
        registration + launcherFolder + "PlaymoorEncrypt.dll\"",
        registration + launcherFolder + "PlaymoorPlugin.dll\"",
        "\"" + launcherFolder + "certs\\Trustfit.exe\"",
    };
}

}  // namespace vantor
