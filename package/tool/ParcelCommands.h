// The three commands of the operator's tool; each returns the process exit code
// (0 done, 1 failed) and reports on stdout/stderr.
#pragma once

int PackCommand(const char* folder, const char* manifest, const char* packagePath);
int ListCommand(const char* path);
int UnpackCommand(const char* archivePath, const char* targetFolder);
