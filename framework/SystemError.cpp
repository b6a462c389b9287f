#include "SystemError.h"

#include <cstdio>

namespace fw {

std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result;
    if (length && text) {
        result.assign(text, length);
        while (!result.empty() && (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
            result.pop_back();
    }
    if (text) ::LocalFree(text);
    char code[32];
    std::snprintf(code, sizeof(code), "(%lu)", static_cast<unsigned long>(error));
    return result.empty() ? std::string(code) : result + " " + code;
}

}  // namespace fw
