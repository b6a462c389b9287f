#include "CryptoSignature.h"

#include "framework/ScopedHandles.h"

#include <algorithm>

namespace vantor {
namespace {

fw::ScopedCryptProvider AcquireProvider() {
    HCRYPTPROV provider = 0;
    if (!::CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) return {};
    return fw::ScopedCryptProvider(provider);
}

// A SHA-256 hash object holding digest, computed elsewhere.
fw::ScopedCryptHash HashOf(HCRYPTPROV provider, const Sha256Digest& digest) {
    HCRYPTHASH hash = 0;
    if (!::CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash)) return {};
    fw::ScopedCryptHash owned(hash);
    if (!::CryptSetHashParam(hash, HP_HASHVAL, digest.data(), 0)) return {};
    return owned;
}

fw::ScopedCryptKey ImportPublicKey(HCRYPTPROV provider, const CarriedKey& key) {
    void* decoded = nullptr;
    DWORD decodedSize = 0;
    if (!::CryptDecodeObjectEx(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, key.publicKeyInfo,
                               static_cast<DWORD>(key.size), CRYPT_DECODE_ALLOC_FLAG, nullptr, &decoded,
                               &decodedSize))
        return {};
    fw::ScopedLocalMemory info(decoded);
    HCRYPTKEY imported = 0;
    if (!::CryptImportPublicKeyInfo(provider, X509_ASN_ENCODING, static_cast<CERT_PUBLIC_KEY_INFO*>(decoded),
                                    &imported))
        return {};
    return fw::ScopedCryptKey(imported);
}

bool Verifies(HCRYPTPROV provider, const CarriedKey& key, const Sha256Digest& digest,
              const std::vector<uint8_t>& signature) {
    fw::ScopedCryptKey publicKey = ImportPublicKey(provider, key);
    fw::ScopedCryptHash hash = HashOf(provider, digest);
    if (!publicKey || !hash) return false;
    // CryptoAPI takes signatures little-endian.
    std::vector<uint8_t> reversed(signature.rbegin(), signature.rend());
    return ::CryptVerifySignatureA(hash.get(), reversed.data(), static_cast<DWORD>(reversed.size()),
                                   publicKey.get(), nullptr, 0) != FALSE;
}

}  // namespace

std::string KeyIdOf(const CarriedKey& key) {
    return KeyIdOf(DerBytes(key.publicKeyInfo, key.publicKeyInfo + key.size));
}

const CarriedKey* VerifyArchiveSignatures(const ArchiveSignatures& archive, const CarriedKey* keys, size_t count) {
    if (archive.status != ArchiveSignatureStatus::Signed) return nullptr;
    fw::ScopedCryptProvider provider = AcquireProvider();
    if (!provider) return nullptr;
    for (size_t k = 0; k < count; ++k) {
        const std::string keyId = KeyIdOf(keys[k]);
        for (const PackageSignature& signature : archive.signatures)
            if (signature.keyId == keyId && Verifies(provider.get(), keys[k], archive.digest, signature.signature))
                return &keys[k];
    }
    return nullptr;
}

bool SignDigest(const DerBytes& pkcs1, const Sha256Digest& digest, std::vector<uint8_t>& signature,
                std::string& error) {
    fw::ScopedCryptProvider provider = AcquireProvider();
    if (!provider) {
        error = "the system's RSA and AES cryptographic provider is not available";
        return false;
    }
    void* blob = nullptr;
    DWORD blobSize = 0;
    if (!::CryptDecodeObjectEx(X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, PKCS_RSA_PRIVATE_KEY, pkcs1.data(),
                               static_cast<DWORD>(pkcs1.size()), CRYPT_DECODE_ALLOC_FLAG, nullptr, &blob,
                               &blobSize)) {
        error = "the key file holds no RSA private key the system can read";
        return false;
    }
    fw::ScopedLocalMemory ownedBlob(blob);
    HCRYPTKEY imported = 0;
    if (!::CryptImportKey(provider.get(), static_cast<const BYTE*>(blob), blobSize, 0, 0, &imported)) {
        error = "the system refused the private key";
        return false;
    }
    fw::ScopedCryptKey key(imported);
    fw::ScopedCryptHash hash = HashOf(provider.get(), digest);
    DWORD size = 0;
    if (!hash || !::CryptSignHashA(hash.get(), AT_KEYEXCHANGE, nullptr, 0, nullptr, &size)) {
        error = "the system cannot sign with this key";
        return false;
    }
    signature.resize(size);
    if (!::CryptSignHashA(hash.get(), AT_KEYEXCHANGE, nullptr, 0, signature.data(), &size)) {
        error = "the system cannot sign with this key";
        return false;
    }
    signature.resize(size);
    std::reverse(signature.begin(), signature.end());  // openssl's byte order
    if (size < kMinSignatureBytes || size > kMaxSignatureBytes) {
        error = "the key must be an RSA key of 2048 to 4096 bits";
        return false;
    }
    return true;
}

}  // namespace vantor
