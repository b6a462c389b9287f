// parcel sign and parcel verify: the operator's signature on an archive, in
// the archive's own comment, and the check the updater makes of it.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ArchiveDigest.h"
#include "CryptoSignature.h"
#include "PackageKeys.h"
#include "ArchiveSigning.h"
#include "ParcelCommands.h"
#include "framework/ScopedHandles.h"

namespace {

using vantor::ArchiveSignatures;
using vantor::ArchiveSignatureStatus;

bool ReadWholeFile(const char* path, std::string& text) {
    fw::ScopedFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 20)) return false;  // a key file is small
    text.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return text.empty() || (::ReadFile(file.get(), &text[0], static_cast<DWORD>(text.size()), &read, nullptr) &&
                            read == text.size());
}

// The digest and signatures of the archive open in file, read from its start.
bool DigestArchive(HANDLE file, ArchiveSignatures& out) {
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return false;
    vantor::ArchiveDigest digest;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) return false;
        if (read == 0) break;
        digest.Add(buffer.data(), read);
    }
    out = digest.Finish();
    return true;
}

fw::ScopedFile OpenArchive(const char* path, bool forWriting) {
    return fw::ScopedFile(::CreateFileA(path, GENERIC_READ | (forWriting ? GENERIC_WRITE : 0),
                                        forWriting ? 0 : FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}

// Replaces the comment of the archive (its length field at signedEnd, then its text) and cuts the file after it.
bool WriteComment(HANDLE file, uint64_t signedEnd, const std::string& comment) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(signedEnd);
    std::string tail;
    tail += static_cast<char>(comment.size() & 0xff);
    tail += static_cast<char>(comment.size() >> 8);
    tail += comment;
    DWORD written = 0;
    return ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
           ::WriteFile(file, tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr) &&
           written == tail.size() && ::SetEndOfFile(file) && ::FlushFileBuffers(file);
}

}  // namespace

bool LoadSigningKey(const char* keyPath, SigningKey* key) {
    std::string keyText;
    if (!ReadWholeFile(keyPath, keyText)) {
        std::fprintf(stderr, "parcel: cannot read the key file %s\n", keyPath);
        return false;
    }
    if (!vantor::RsaPrivateKeyOfPem(keyText, key->privateKey) ||
        !vantor::PublicKeyInfoOfPrivateKey(key->privateKey, key->publicKey)) {
        std::fprintf(stderr, "parcel: %s holds no RSA private key in PEM (\"BEGIN PRIVATE KEY\" or \"BEGIN RSA PRIVATE KEY\")\n",
                     keyPath);
        return false;
    }
    key->path = keyPath;
    key->keyId = vantor::KeyIdOf(key->publicKey);
    return true;
}

bool SignArchive(const char* archivePath, const SigningKey& key, size_t* signatureCount) {
    const char* keyPath = key.path.c_str();
    const std::string& keyId = key.keyId;
    fw::ScopedFile archive = OpenArchive(archivePath, true);
    ArchiveSignatures signatures;
    if (!archive) {
        std::fprintf(stderr, "parcel: cannot open %s for writing\n", archivePath);
        return false;
    }
    if (!DigestArchive(archive.get(), signatures)) {
        std::fprintf(stderr, "parcel: cannot read %s\n", archivePath);
        return false;
    }
    if (signatures.status == ArchiveSignatureStatus::NoEndRecord ||
        signatures.status == ArchiveSignatureStatus::BadSignatureBlock) {
        std::fprintf(stderr, "parcel: %s cannot be signed: %s\n", archivePath,
                     vantor::ArchiveSignatureStatusText(signatures.status));
        return false;
    }
    vantor::PackageSignature signature{keyId, {}};
    std::string error;
    if (!vantor::SignDigest(key.privateKey, signatures.digest, signature.signature, error)) {
        std::fprintf(stderr, "parcel: cannot sign with %s: %s\n", keyPath, error.c_str());
        return false;
    }
    // The same key signs the same bytes alike: its earlier signature is replaced, not repeated.
    std::vector<vantor::PackageSignature> kept;
    for (vantor::PackageSignature& earlier : signatures.signatures)
        if (earlier.keyId != keyId) kept.push_back(std::move(earlier));
    if (kept.size() == vantor::kMaxSignatures) {
        std::fprintf(stderr, "parcel: %s carries %u signatures already, the most an archive holds\n", archivePath,
                     unsigned(kept.size()));
        return false;
    }
    kept.push_back(signature);
    signatures.signatures = kept;
    signatures.status = ArchiveSignatureStatus::Signed;
    const vantor::CarriedKey signer{"signer", key.publicKey.data(), key.publicKey.size()};
    if (!vantor::VerifyArchiveSignatures(signatures, &signer, 1)) {
        std::fprintf(stderr, "parcel: the signature made with %s does not verify; nothing was written\n", keyPath);
        return false;
    }
    if (!WriteComment(archive.get(), signatures.signedEnd, vantor::FormatSignatureBlock(kept))) {
        std::fprintf(stderr, "parcel: cannot write the signature into %s\n", archivePath);
        return false;
    }
    if (signatureCount) *signatureCount = kept.size();
    return true;
}

int SignCommand(const char* archivePath, const char* keyPath) {
    SigningKey key;
    size_t count = 0;
    if (!LoadSigningKey(keyPath, &key) || !SignArchive(archivePath, key, &count)) return 1;
    std::printf("signed %s with key %s (%u signature%s)\n", archivePath, key.keyId.c_str(), unsigned(count),
                count == 1 ? "" : "s");
    return 0;
}

int VerifyCommand(const char* archivePath) {
    fw::ScopedFile archive = OpenArchive(archivePath, false);
    ArchiveSignatures signatures;
    if (!archive || !DigestArchive(archive.get(), signatures)) {
        std::fprintf(stderr, "parcel: cannot read %s\n", archivePath);
        return 1;
    }
    if (signatures.status != ArchiveSignatureStatus::Signed) {
        std::printf("%s: not signed: %s\n", archivePath, vantor::ArchiveSignatureStatusText(signatures.status));
        return 1;
    }
    const vantor::CarriedKey* key = vantor::VerifyArchiveSignatures(
        signatures, vantor::kCarriedKeys, sizeof vantor::kCarriedKeys / sizeof vantor::kCarriedKeys[0]);
    if (!key) {
        std::printf("%s: no signature verifies with a key of this build (signed by", archivePath);
        for (const vantor::PackageSignature& s : signatures.signatures) std::printf(" %s", s.keyId.c_str());
        std::printf(")\n");
        return 1;
    }
    std::printf("%s: signed by key %s (%s)\n", archivePath,
                vantor::KeyIdOf(*key).c_str(),
                key->name);
    return 0;
}
