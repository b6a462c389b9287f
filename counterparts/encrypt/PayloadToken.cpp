#include "PayloadToken.h"

#include <iterator>

namespace playmoor {
namespace {

const char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::string Utf16ToUtf8(const char16_t* units, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        char16_t unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < count && IsLowSurrogate(units[i + 1])) {
            char32_t code = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                            (static_cast<char32_t>(units[i + 1]) - 0xDC00);
            AppendUtf8(code, out);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(kReplacement, out);
        } else {
            AppendUtf8(unit, out);
        }
    }
    return out;
}

std::string PayloadToken(const char16_t* units, std::size_t count) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string token = kTokenPrefix;
    for (unsigned char byte : Utf16ToUtf8(units, count)) {
        unsigned char masked = byte ^ kTokenXorKey;
        token += kHex[masked >> 4];
        token += kHex[masked & 0x0F];
    }
    return token;
}

bool IsFailingPayload(const char16_t* units, std::size_t count) {
    const std::size_t length = std::size(kFailingPayload) - 1;
    if (count != length) return false;
    for (std::size_t i = 0; i < length; ++i)
        if (units[i] != kFailingPayload[i]) return false;
    return true;
}

}  // namespace playmoor
