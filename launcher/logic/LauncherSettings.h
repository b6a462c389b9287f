// Small rules of the launcher's settings, apart from the calls that read them.
#pragma once

#include <string>

namespace vantor {

// Whether the registry value Location must be (re)written: when it is empty or
// differs from the launcher folder in any byte, letter case included.
bool LocationNeedsWrite(const std::string& stored, const std::string& launcherFolder);

// Which statistics host LocationServer selects: "1" host A (0), "2" host B (1);
// any other text keeps the current choice.
int StatHostFromLocationServer(const std::string& locationServer, int current);

// The version label: "版本号：" followed by LauncherVersion.
std::string VersionLabelText(const std::string& launcherVersion);

}  // namespace vantor
