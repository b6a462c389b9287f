// The command lines with which the launcher registers the outside components
// and runs the certificate installer at every start.
#pragma once

#include <string>
#include <vector>

namespace vantor {

// In start order: the two silent registrations (component paths quoted), then
// the certificate installer (path unquoted). prefix is the system folder with a
// backslash on the Windows 95 family, empty elsewhere; launcherFolder ends with
// a backslash.
std::vector<std::string> EnvironmentCommands(const std::string& prefix, const std::string& launcherFolder);

}  // namespace vantor
