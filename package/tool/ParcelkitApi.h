// The exports of Parcelkit.dll as this tool links them.
#pragma once

extern "C" {
__declspec(dllimport) int ComposeFile(const char* fileList, const char* packagePath);
__declspec(dllimport) int DecomposeFile(const char* archivePath, const char* targetFolder);
}
