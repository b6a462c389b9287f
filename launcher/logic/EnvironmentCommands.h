// The command lines with which the launcher registers the outside components
// and runs the certificate installer at every start.
#pragma once

#include <string>
#include <vector>

namespace vantor {

// In start order: the two silent registrations, then the certificate installer.
// The launcher runs as administrator, so every program path is whole and
// quoted: the registration tool is the system folder's (never one that the
// search path finds first, such as a regsvr32.exe beside the launcher), and
// the installer's quoted path cannot be read as a shorter program name at a
// blank ("C:\Program Files\Vantor Online\certs\Trustfit.exe" unquoted first
// tries "C:\Program.exe" and "...\Vantor.exe"). systemFolder and
// launcherFolder end with a backslash.
std::vector<std::string> EnvironmentCommands(const std::string& systemFolder, const std::string& launcherFolder);

}  // namespace vantor
