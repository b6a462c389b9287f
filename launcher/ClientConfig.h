// The launcher's settings on disk and in the registry: ClientInfo.ini and
// TesseraEngine.ini in the launcher folder (never the current one), and the
// registry value Location that tells the updater where the game is installed.
#pragma once

#include <windows.h>
#include <string>

// The folder of the running program, ending with a backslash.
std::string GetLauncherFolder();

// launcher folder + "ClientInfo.ini".
std::string GetClientInfoPath();

// Writes the launcher folder to HKLM\SOFTWARE\Playmoor\VantorOnline\Location when
// it is missing or differs. Failures are silent.
void RecordInstallFolder();

// Creates ClientInfo.ini with its default content when it does not exist; an
// existing file is left as it is. Returns ERROR_SUCCESS or the system error of
// the failed creation or write (a partial file is removed again).
DWORD EnsureClientInfoFile(const std::string& path);

// The version label text from TesseraEngine.ini in the launcher folder.
std::string LauncherVersionLabel();
