// The Windows side of the package code: "\" between folder and name, GBK
// characters, file identity by volume and file index.
#pragma once

#include <string>

#include "PathText.h"

namespace pk {

const Platform& WinPlatform();

// The default package: the main program's folder + "\PkUpdate.pk".
std::string DefaultPackagePath();

}  // namespace pk
