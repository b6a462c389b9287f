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
