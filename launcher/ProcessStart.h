// Starting the programs the launcher hands over to (updater, game client).
#pragma once

#include <string>

// Starts commandLine as a new process (no inherited handles, normal priority,
// the launcher's environment and current directory) and closes the handles at
// once: the launcher neither waits for it nor looks at whether it started.
void StartDetachedProcess(std::string commandLine);
