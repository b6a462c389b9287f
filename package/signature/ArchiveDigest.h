// What an update archive's signatures cover, and reading them off the archive.
//
// An archive is an ordinary zip file whose end record's comment is the
// signature block. Each signature is an RSA PKCS#1 v1.5 signature of
//
//   SHA-256( kSignedContext || archive bytes [0, end record + 20) )
//
// that is, of every byte of the archive up to the end record's comment length
// field, behind a fixed context text so that no signature this key makes over
// anything else can pass for a package's. The length field and the comment are
// left out, so that a further signature can be added without making the
// earlier ones wrong. The comment length must reach exactly to the file's end.
//
// ArchiveDigest takes the archive in pieces as it arrives and holds back only
// its last bytes, where the end record and the comment must lie: no second
// pass over the file.
#pragma once

#include "Sha256.h"
#include "SignatureBlock.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantor {

extern const char kSignedContext[];  // "Vantor update package 1\n"

constexpr size_t kZipEndRecordSize = 22;
// The end record and the longest comment that can be a signature block.
constexpr size_t kArchiveTailSize = kZipEndRecordSize + kMaxSignatureBlockSize;

enum class ArchiveSignatureStatus {
    Signed,             // a well-formed block; the signatures still have to be verified
    NoEndRecord,        // not a zip archive, or its end record's comment does not end at the file's end
    Unsigned,           // an empty comment
    BadSignatureBlock,  // a comment that is not a well-formed signature block
};

struct ArchiveSignatures {
    ArchiveSignatureStatus status = ArchiveSignatureStatus::NoEndRecord;
    Sha256Digest digest{};                   // what the signatures sign (when an end record was found)
    uint64_t signedEnd = 0;                  // offset of the comment length field
    std::vector<PackageSignature> signatures;
};

class ArchiveDigest {
public:
    ArchiveDigest();
    void Add(const void* data, size_t size);
    // Finds the end record among the held-back bytes and completes the digest; spent afterwards.
    ArchiveSignatures Finish();

private:
    Sha256 m_hash;
    std::vector<uint8_t> m_tail;  // the last bytes, not hashed yet
    uint64_t m_totalBytes = 0;
};

const char* ArchiveSignatureStatusText(ArchiveSignatureStatus status);

}  // namespace vantor
