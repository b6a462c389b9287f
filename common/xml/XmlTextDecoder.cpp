#include "xml/XmlTextDecoder.h"

#include <cstring>

namespace xml {
namespace {

// The ";" of a character reference lies within the 7 bytes after the "&".
constexpr size_t kReferenceReach = 7;

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}

// "&#65;" or "&#x42;" at text[amp]: on success appends the character and
// returns the offset after the ";", else returns 0. Only values that make one
// byte (1 to 255) are characters; the digits must run right up to the ";".
size_t DecodeReference(const char* text, size_t length, size_t amp, std::string& out) {
    size_t reach = amp + kReferenceReach < length - 1 ? amp + kReferenceReach : length - 1;
    const void* hit = std::memchr(text + amp + 1, ';', reach - amp);
    if (!hit) return 0;
    size_t semicolon = static_cast<const char*>(hit) - text;
    bool hex = amp + 2 < length && text[amp + 2] == 'x';
    int base = hex ? 16 : 10;
    size_t digits = amp + 2 + (hex ? 1 : 0);
    if (digits >= semicolon) return 0;
    unsigned value = 0;
    for (size_t i = digits; i < semicolon; ++i) {
        int d = DigitValue(text[i], base);
        if (d < 0) return 0;
        value = value * base + d;  // at most five digits fit in reach: no overflow
    }
    if (value == 0 || value > 255) return 0;
    out += static_cast<char>(value);
    return semicolon + 1;
}

struct Entity {
    const char* name;  // after the "&", with the ";"
    size_t length;
    char replacement;
};
const Entity kEntities[] = {
    {"lt;", 3, '<'}, {"amp;", 4, '&'}, {"gt;", 3, '>'}, {"apos;", 5, '\''}, {"quot;", 5, '"'},
};

}  // namespace

void AppendDecodedText(const char* text, size_t length, std::string& out) {
    size_t at = 0;
    while (at < length) {
        const void* hit = std::memchr(text + at, '&', length - at);
        size_t amp = hit ? static_cast<const char*>(hit) - text : length;
        out.append(text + at, amp - at);
        if (amp == length) return;
        at = amp + 1;
        if (at < length && text[at] == '#') {
            if (size_t after = DecodeReference(text, length, amp, out)) {
                at = after;
                continue;
            }
            out += '&';
            continue;
        }
        bool replaced = false;
        for (const Entity& e : kEntities) {
            if (length - at >= e.length && std::memcmp(text + at, e.name, e.length) == 0) {
                out += e.replacement;
                at += e.length;
                replaced = true;
                break;
            }
        }
        if (!replaced) out += '&';
    }
}

}  // namespace xml
