#include "LastError.h"

#include <windows.h>

#include <cstring>

namespace trustfit {

ErrorText CutErrorText(const char* text) {
    ErrorText out{};
    const size_t limit = out.size() - 1;
    size_t kept = 0;
    for (size_t i = 0; text[i] != '\0';) {
        const size_t charLen = (::IsDBCSLeadByte(static_cast<BYTE>(text[i])) && text[i + 1] != '\0') ? 2 : 1;
        if (i + charLen > limit) break;
        i += charLen;
        kept = i;
    }
    std::memcpy(out.data(), text, kept);
    out[kept] = '\0';
    return out;
}

ErrorText FormatLastError() {
    const DWORD code = ::GetLastError();
    char* message = nullptr;
    // Allocated by the system, so that a long text is cut here instead of lost.
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&message), 0,
        nullptr);
    ErrorText text{};
    if (length != 0 && message != nullptr) text = CutErrorText(message);
    if (message != nullptr) ::LocalFree(message);
    ::SetLastError(code);
    return text;
}

}  // namespace trustfit
