#include "SystemError.h"

#include <cstdio>

namespace fw {

std::string SystemMessage(DWORD error) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result;
    if (length != 0 && text != nullptr) result.assign(text, length);
    if (text != nullptr) ::LocalFree(text);
    return result;
}

std::string SystemErrorText(DWORD error) {
    std::string result = SystemMessage(error);
    while (!result.empty() && (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
        result.pop_back();
    char code[32];
    std::snprintf(code, sizeof(code), "(%lu)", static_cast<unsigned long>(error));
    return result.empty() ? std::string(code) : result + " " + code;
}

}  // namespace fw
