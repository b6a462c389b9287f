#include "CertificateFile.h"

namespace trustfit {

FileStep ReadCertificateFile(const std::string& path, ProcessHeapBlock& block, ErrorText& reason) {
    fw::ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        reason = FormatLastError();
        return FileStep::Open;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        reason = FormatLastError();
        return FileStep::Size;
    }
    if (size.QuadPart > MAXDWORD) {  // one read and one DWORD length cannot hold it
        ::SetLastError(ERROR_FILE_TOO_LARGE);
        reason = FormatLastError();
        return FileStep::Size;
    }
    const DWORD fileSize = static_cast<DWORD>(size.QuadPart);
    if (!block.allocate(fileSize)) {
        reason = FormatLastError();
        return FileStep::Allocate;
    }
    DWORD read = 0;
    if (!::ReadFile(file.get(), block.data(), fileSize, &read, nullptr)) {
        reason = FormatLastError();
        return FileStep::Read;
    }
    if (read != fileSize) {  // the file shrank since its size was read
        ::SetLastError(ERROR_HANDLE_EOF);
        reason = FormatLastError();
        return FileStep::Read;
    }
    return FileStep::Done;
}

}  // namespace trustfit
