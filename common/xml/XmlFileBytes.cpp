#include "xml/XmlFileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace xml {
namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

bool Fail(int err, std::string& error) {
    error = std::strerror(err);
    return false;
}

}  // namespace

bool ReadFileBytes(const char* path, std::string& bytes, std::string& error) {
    if (!path) return Fail(EINVAL, error);
    errno = 0;
    FILE* file = std::fopen(path, "rb");
    if (!file) return Fail(errno ? errno : ENOENT, error);
    std::unique_ptr<FILE, FileCloser> owner(file);
    // The size comes from seeking to the end; offsets in the document are 32-bit.
    if (std::fseek(file, 0, SEEK_END) != 0) return Fail(errno ? errno : EIO, error);
    long size = std::ftell(file);
    if (size < 0) return Fail(errno ? errno : EIO, error);
    if (static_cast<unsigned long>(size) > 0x7FFFFFFFul) return Fail(EFBIG, error);
    if (std::fseek(file, 0, SEEK_SET) != 0) return Fail(errno ? errno : EIO, error);
    std::string content;
    try {
        content.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return Fail(ENOMEM, error);
    }
    errno = 0;
    size_t got = size > 0 ? std::fread(&content[0], 1, content.size(), file) : 0;
    // A folder opens on some systems and fails only here.
    if (std::ferror(file)) return Fail(errno ? errno : EIO, error);
    content.resize(got);  // a file that shrank meanwhile gives what was there
    bytes.swap(content);
    return true;
}

}  // namespace xml
