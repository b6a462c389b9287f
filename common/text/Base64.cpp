#include "Base64.h"

namespace vantor {

namespace {
const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

std::string EncodeBase64(const unsigned char* bytes, size_t length) {
    std::string out;
    out.reserve((length + 2) / 3 * 4);
    for (size_t i = 0; i < length; i += 3) {
        unsigned group = static_cast<unsigned>(bytes[i]) << 16;
        if (i + 1 < length) group |= static_cast<unsigned>(bytes[i + 1]) << 8;
        if (i + 2 < length) group |= bytes[i + 2];
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += i + 1 < length ? kAlphabet[(group >> 6) & 63] : '=';
        out += i + 2 < length ? kAlphabet[group & 63] : '=';
    }
    return out;
}

}  // namespace vantor

namespace vantor {

bool DecodeBase64(const char* text, size_t length, std::vector<unsigned char>& bytes) {
    bytes.clear();
    unsigned group = 0;
    int digits = 0, padding = 0;
    for (size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n' || c == ' ' || c == '\t') continue;
        if (c == '=') {
            if (digits < 2) return false;
            ++padding;
            group <<= 6;
            if (++digits < 4) continue;
        } else {
            const size_t value = kAlphabet.find(c);
            if (value == std::string::npos || padding > 0) return false;
            group = group << 6 | static_cast<unsigned>(value);
            if (++digits < 4) continue;
        }
        bytes.push_back(static_cast<unsigned char>(group >> 16));
        if (padding < 2) bytes.push_back(static_cast<unsigned char>(group >> 8));
        if (padding < 1) bytes.push_back(static_cast<unsigned char>(group));
        if (padding > 0) {
            // Only blanks may follow the padded last group.
            for (++i; i < length; ++i)
                if (text[i] != '\r' && text[i] != '\n' && text[i] != ' ' && text[i] != '\t') return false;
            return true;
        }
        group = 0;
        digits = 0;
    }
    return digits == 0;
}

}  // namespace vantor
