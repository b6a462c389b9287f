#include "HostPlatform.h"

#include <sys/stat.h>

namespace pk {
namespace {

bool IsSameHostFile(const char* a, const char* b) {
    struct stat sa, sb;
    if (stat(a, &sa) != 0 || stat(b, &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

const Platform& HostPlatform() {
    static const Platform platform{'/', nullptr, &IsSameHostFile};
    return platform;
}

}  // namespace pk
