// The platform of the host build: "/" between folder and name, a single-byte
// code page, file identity by device and inode.
#pragma once

#include "PathText.h"

namespace pk {
const Platform& HostPlatform();
}
