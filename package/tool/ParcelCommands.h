// The commands of the operator's tool; each returns the process exit code
// (0 done, 1 failed) and reports on stdout/stderr. With showTiming, pack and
// unpack also print the time spent inside the library call as a last line on
// stdout: "timing: ComposeFile 0.012345 s" (or DecomposeFile), success or not.
#pragma once

// parcel release: argv holds what follows the command word.
int ReleaseCommand(int argc, char** argv);
int PackCommand(const char* folder, const char* manifest, const char* packagePath, bool showTiming);
int ListCommand(const char* path);
int UnpackCommand(const char* archivePath, const char* targetFolder, bool showTiming);
// Adds a signature made with the RSA private key in keyPath (PEM) to the archive, in place.
int SignCommand(const char* archivePath, const char* keyPath);
// 0 when one of the archive's signatures verifies with a key this build carries.
int VerifyCommand(const char* archivePath);
