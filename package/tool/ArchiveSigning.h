// The operator's signature on an archive, as parcel sign and parcel release
// make it: the key is read once, each archive is signed in place (its earlier
// signature by the same key replaced). Both report a failure on stderr and give false.
#pragma once

#include <cstddef>
#include <string>

#include "RsaKeyText.h"

struct SigningKey {
    std::string path;
    vantor::DerBytes privateKey;
    vantor::DerBytes publicKey;  // SubjectPublicKeyInfo
    std::string keyId;
};

bool LoadSigningKey(const char* keyPath, SigningKey* key);
// signatureCount (may be null): how many signatures the archive carries afterwards.
bool SignArchive(const char* archivePath, const SigningKey& key, size_t* signatureCount = nullptr);
