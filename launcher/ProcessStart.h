// Starting the programs the launcher hands over to (updater, game client).
#pragma once

#include "framework/ScopedHandles.h"

#include <string>

// A started process: its handle (empty when the start failed) and identifier.
struct StartedProcess {
    fw::ScopedHandle process;
    DWORD id = 0;
};

// Starts commandLine as a new process (no inherited handles, normal priority,
// the launcher's environment) in the current folder currentFolder, so that a
// program reading ".\" finds the installation's files whatever folder the
// launcher itself was started from (empty: the launcher's current folder).
StartedProcess StartProcess(std::string commandLine, const std::string& currentFolder);

// StartProcess without keeping the handle: the launcher neither waits for the
// process nor looks at whether it started.
void StartDetachedProcess(std::string commandLine, const std::string& currentFolder);
