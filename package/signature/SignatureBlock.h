// The signature block: the text that the operator's signatures travel in, as
// the zip archive's comment. Printable ASCII, one signature a line:
//
//   Vantor update package signature 1\n
//   rsa-sha256 <key id: 16 hex digits> <signature: 512 to 1024 hex digits>\n
//   ... (at most kMaxSignatures lines, each key at most once)
//
// Hex digits are lowercase; the signature is big-endian, as openssl writes it.
// Nothing else is accepted: no other line, no blank, no carriage return.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantor {

extern const char kSignatureBlockHeader[];  // "Vantor update package signature 1\n"
constexpr size_t kMaxSignatures = 8;
constexpr size_t kMinSignatureBytes = 256;   // RSA 2048
constexpr size_t kMaxSignatureBytes = 512;   // RSA 4096
constexpr size_t kKeyIdDigits = 16;
// The longest block kMaxSignatures signatures of the largest size make.
constexpr size_t kMaxSignatureBlockSize = 34 + kMaxSignatures * (11 + kKeyIdDigits + 1 + 2 * kMaxSignatureBytes + 1);

struct PackageSignature {
    std::string keyId;               // 16 lowercase hex digits (KeyIdOf)
    std::vector<uint8_t> signature;  // big-endian RSA signature
};

// False for anything but a well-formed block.
bool ParseSignatureBlock(const char* text, size_t length, std::vector<PackageSignature>& signatures);
// The block text of signatures (each of a valid size and key id).
std::string FormatSignatureBlock(const std::vector<PackageSignature>& signatures);

std::string LowerHex(const uint8_t* bytes, size_t size);

}  // namespace vantor
