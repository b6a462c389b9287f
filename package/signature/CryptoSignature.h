// Package signatures through CryptoAPI (RSA PKCS#1 v1.5 with SHA-256 from the
// AES provider, which every supported Windows and Wine have): the updater
// verifies an archive's digest against the keys it carries, and parcel signs.
#pragma once

#include "ArchiveDigest.h"
#include "RsaKeyText.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vantor {

// A public key that this build takes packages from (PackageKeys.h).
struct CarriedKey {
    const char* name;                     // for the operator: "development", a file name
    const unsigned char* publicKeyInfo;   // SubjectPublicKeyInfo DER
    size_t size;
};

// The key id of a carried key (KeyIdOf of its SubjectPublicKeyInfo).
std::string KeyIdOf(const CarriedKey& key);

// The carried key that verifies one of the archive's signatures (only
// signatures whose key id names a carried key are tried), or null.
const CarriedKey* VerifyArchiveSignatures(const ArchiveSignatures& archive, const CarriedKey* keys, size_t count);

// Signs digest with a PKCS#1 RSA private key; the signature is big-endian, as openssl's.
// False with a reason in error.
bool SignDigest(const DerBytes& pkcs1, const Sha256Digest& digest, std::vector<uint8_t>& signature,
                std::string& error);

}  // namespace vantor
