#include "RsaKeyText.h"

#include "Sha256.h"
#include "SignatureBlock.h"
#include "text/Base64.h"

#include <cstring>

namespace vantor {
namespace {

// The DER encoding of the algorithm identifier rsaEncryption (1.2.840.113549.1.1.1) with NULL parameters.
const unsigned char kRsaAlgorithm[] = {0x30, 0x0d, 0x06, 0x09, 0x2a, 0x86, 0x48, 0x86, 0xf7,
                                       0x0d, 0x01, 0x01, 0x01, 0x05, 0x00};

// One DER element: its tag and where its content lies.
struct DerElement {
    unsigned char tag = 0;
    size_t contentStart = 0, contentEnd = 0;
};

// Reads the element at der[at] within [at, end); at moves past it.
bool ReadElement(const DerBytes& der, size_t& at, size_t end, DerElement& element) {
    if (end > der.size() || at + 2 > end) return false;
    element.tag = der[at];
    size_t length = der[at + 1];
    size_t next = at + 2;
    if (length & 0x80) {
        const size_t lengthBytes = length & 0x7f;
        if (lengthBytes == 0 || lengthBytes > 3 || next + lengthBytes > end) return false;
        length = 0;
        for (size_t i = 0; i < lengthBytes; ++i) length = length << 8 | der[next + i];
        next += lengthBytes;
    }
    if (length > end - next) return false;
    element.contentStart = next;
    element.contentEnd = next + length;
    at = element.contentEnd;
    return true;
}

void AppendLength(DerBytes& out, size_t length) {
    if (length < 0x80) {
        out.push_back(static_cast<unsigned char>(length));
    } else if (length < 0x100) {
        out.insert(out.end(), {0x81, static_cast<unsigned char>(length)});
    } else {
        out.insert(out.end(), {0x82, static_cast<unsigned char>(length >> 8), static_cast<unsigned char>(length)});
    }
}

DerBytes Wrap(unsigned char tag, const DerBytes& content) {
    DerBytes out{tag};
    AppendLength(out, content.size());
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

// Opens der's outer SEQUENCE and reads its first element, an INTEGER version;
// at is left after it and outer holds the sequence's bounds.
bool OpenVersionedSequence(const DerBytes& der, size_t& at, DerElement& outer) {
    at = 0;
    DerElement version;
    if (!ReadElement(der, at, der.size(), outer) || outer.tag != 0x30) return false;
    at = outer.contentStart;
    return ReadElement(der, at, outer.contentEnd, version) && version.tag == 0x02;
}

}  // namespace

bool DecodePem(const std::string& text, const char* label, DerBytes& der) {
    const std::string begin = std::string("-----BEGIN ") + label + "-----";
    const std::string end = std::string("-----END ") + label + "-----";
    const size_t start = text.find(begin);
    if (start == std::string::npos) return false;
    const size_t body = start + begin.size();
    const size_t stop = text.find(end, body);
    if (stop == std::string::npos) return false;
    return DecodeBase64(text.data() + body, stop - body, der) && !der.empty();
}

bool RsaPrivateKeyOfPem(const std::string& text, DerBytes& pkcs1) {
    if (DecodePem(text, "RSA PRIVATE KEY", pkcs1)) return true;
    DerBytes pkcs8;
    if (!DecodePem(text, "PRIVATE KEY", pkcs8)) return false;
    // PrivateKeyInfo ::= SEQUENCE { version INTEGER, algorithm AlgorithmIdentifier, privateKey OCTET STRING, ... }
    size_t at = 0;
    DerElement info, algorithm, key;
    if (!OpenVersionedSequence(pkcs8, at, info)) return false;
    const size_t algorithmStart = at;
    if (!ReadElement(pkcs8, at, info.contentEnd, algorithm) || algorithm.tag != 0x30) return false;
    if (at - algorithmStart != sizeof kRsaAlgorithm ||
        std::memcmp(pkcs8.data() + algorithmStart, kRsaAlgorithm, sizeof kRsaAlgorithm) != 0)
        return false;  // not an RSA key
    if (!ReadElement(pkcs8, at, info.contentEnd, key) || key.tag != 0x04) return false;
    pkcs1.assign(pkcs8.begin() + static_cast<std::ptrdiff_t>(key.contentStart),
                 pkcs8.begin() + static_cast<std::ptrdiff_t>(key.contentEnd));
    return true;
}

bool PublicKeyInfoOfPem(const std::string& text, DerBytes& publicKeyInfo) {
    return DecodePem(text, "PUBLIC KEY", publicKeyInfo);
}

bool PublicKeyInfoOfPrivateKey(const DerBytes& pkcs1, DerBytes& publicKeyInfo) {
    // RSAPrivateKey ::= SEQUENCE { version, modulus INTEGER, publicExponent INTEGER, ... }
    size_t at = 0;
    DerElement key, modulus, exponent;
    if (!OpenVersionedSequence(pkcs1, at, key)) return false;
    const size_t numbersStart = at;
    if (!ReadElement(pkcs1, at, key.contentEnd, modulus) || modulus.tag != 0x02) return false;
    if (!ReadElement(pkcs1, at, key.contentEnd, exponent) || exponent.tag != 0x02) return false;
    // RSAPublicKey ::= SEQUENCE { modulus, publicExponent }, the same two integers byte for byte.
    const DerBytes numbers(pkcs1.begin() + static_cast<std::ptrdiff_t>(numbersStart),
                           pkcs1.begin() + static_cast<std::ptrdiff_t>(at));
    DerBytes bitString{0x00};  // no unused bits
    const DerBytes publicKey = Wrap(0x30, numbers);
    bitString.insert(bitString.end(), publicKey.begin(), publicKey.end());
    DerBytes content(kRsaAlgorithm, kRsaAlgorithm + sizeof kRsaAlgorithm);
    const DerBytes wrappedBits = Wrap(0x03, bitString);
    content.insert(content.end(), wrappedBits.begin(), wrappedBits.end());
    publicKeyInfo = Wrap(0x30, content);
    return true;
}

std::string KeyIdOf(const DerBytes& publicKeyInfo) {
    const Sha256Digest digest = Sha256::Of(publicKeyInfo.data(), publicKeyInfo.size());
    return LowerHex(digest.data(), kKeyIdDigits / 2);
}

}  // namespace vantor
