// Starting the programs the launcher hands over to (updater, game client).
#pragma once

#include <string>

// Starts commandLine as a new process (no inherited handles, normal priority,
// the launcher's environment) in the current folder currentFolder, so that a
// program reading ".\" finds the installation's files whatever folder the
// launcher itself was started from (empty: the launcher's current folder).
// The handles are closed at once: the launcher neither waits for the process
// nor looks at whether it started.
void StartDetachedProcess(std::string commandLine, const std::string& currentFolder);
