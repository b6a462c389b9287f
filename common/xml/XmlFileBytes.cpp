#include "xml/XmlFileBytes.h"

#include "io/StdFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

namespace xml {
namespace {

bool Fail(int err, std::string& error) {
    error = std::strerror(err);
    return false;
}

}  // namespace

bool ReadFileBytes(const char* path, std::string& bytes, std::string& error) {
    if (!path) return Fail(EINVAL, error);
    errno = 0;
    vantor::StdFile file = vantor::StdFile::Open(path, "rb");
    if (!file) return Fail(errno ? errno : ENOENT, error);
    // The size comes from seeking to the end; offsets in the document are 32-bit.
    const int64_t size = file.Size();
    if (size < 0) return Fail(errno ? errno : EIO, error);
    if (size > 0x7FFFFFFF) return Fail(EFBIG, error);
    if (!file.Seek(0)) return Fail(errno ? errno : EIO, error);
    std::string content;
    try {
        content.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return Fail(ENOMEM, error);
    }
    errno = 0;
    size_t got = size > 0 ? std::fread(&content[0], 1, content.size(), file.get()) : 0;
    // A folder opens on some systems and fails only here.
    if (std::ferror(file.get())) return Fail(errno ? errno : EIO, error);
    content.resize(got);  // a file that shrank meanwhile gives what was there
    bytes.swap(content);
    return true;
}

}  // namespace xml
