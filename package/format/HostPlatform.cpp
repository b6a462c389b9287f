#include "HostPlatform.h"

#include <sys/stat.h>

namespace pk {
namespace {

bool IdentifyHostFile(const char* path, FileId* id) {
    struct stat st;
    if (stat(path, &st) != 0) return false;
    id->volume = static_cast<uint64_t>(st.st_dev);
    id->index = static_cast<uint64_t>(st.st_ino);
    return true;
}

}  // namespace

const Platform& HostPlatform() {
    static const Platform platform{'/', nullptr, &IdentifyHostFile};
    return platform;
}

}  // namespace pk
