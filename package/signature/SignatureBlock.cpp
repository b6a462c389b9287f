#include "SignatureBlock.h"

#include <cstring>

namespace vantor {

const char kSignatureBlockHeader[] = "Vantor update package signature 1\n";
static_assert(sizeof kSignatureBlockHeader - 1 == 34, "kMaxSignatureBlockSize counts a 34-byte header");

namespace {

const char kAlgorithm[] = "rsa-sha256 ";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsLowerHex(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (HexValue(text[i]) < 0) return false;
    return true;
}

// One "rsa-sha256 KEYID SIGNATURE\n" line from text[at]; at moves past it.
bool ParseLine(const char* text, size_t length, size_t& at, PackageSignature& out) {
    const size_t algorithmLength = sizeof kAlgorithm - 1;
    if (length - at < algorithmLength + kKeyIdDigits + 1 || std::memcmp(text + at, kAlgorithm, algorithmLength) != 0)
        return false;
    at += algorithmLength;
    if (!IsLowerHex(text + at, kKeyIdDigits) || text[at + kKeyIdDigits] != ' ') return false;
    out.keyId.assign(text + at, kKeyIdDigits);
    at += kKeyIdDigits + 1;
    const void* end = std::memchr(text + at, '\n', length - at);
    if (!end) return false;
    const size_t digits = static_cast<size_t>(static_cast<const char*>(end) - (text + at));
    if (digits % 2 != 0 || digits < 2 * kMinSignatureBytes || digits > 2 * kMaxSignatureBytes) return false;
    out.signature.resize(digits / 2);
    for (size_t i = 0; i < digits / 2; ++i) {
        const int high = HexValue(text[at + 2 * i]), low = HexValue(text[at + 2 * i + 1]);
        if (high < 0 || low < 0) return false;
        out.signature[i] = static_cast<uint8_t>(high << 4 | low);
    }
    at += digits + 1;
    return true;
}

}  // namespace

bool ParseSignatureBlock(const char* text, size_t length, std::vector<PackageSignature>& signatures) {
    signatures.clear();
    const size_t headerLength = sizeof kSignatureBlockHeader - 1;
    if (length > kMaxSignatureBlockSize || length < headerLength ||
        std::memcmp(text, kSignatureBlockHeader, headerLength) != 0)
        return false;
    for (size_t at = headerLength; at < length;) {
        if (signatures.size() == kMaxSignatures) return false;
        PackageSignature signature;
        if (!ParseLine(text, length, at, signature)) return false;
        for (const PackageSignature& earlier : signatures)
            if (earlier.keyId == signature.keyId) return false;
        signatures.push_back(std::move(signature));
    }
    return !signatures.empty();
}

std::string LowerHex(const uint8_t* bytes, size_t size) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text(2 * size, '0');
    for (size_t i = 0; i < size; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 15];
    }
    return text;
}

std::string FormatSignatureBlock(const std::vector<PackageSignature>& signatures) {
    std::string text = kSignatureBlockHeader;
    for (const PackageSignature& s : signatures)
        text += kAlgorithm + s.keyId + " " + LowerHex(s.signature.data(), s.signature.size()) + "\n";
    return text;
}

}  // namespace vantor
