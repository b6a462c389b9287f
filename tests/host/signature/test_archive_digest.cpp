#include "ArchiveDigest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using vantor::ArchiveDigest;
using vantor::ArchiveSignatures;
using vantor::ArchiveSignatureStatus;

namespace {

// An archive-shaped byte string: body, an end record, its comment.
std::string Archive(const std::string& body, const std::string& comment, long claimedLength = -1) {
    std::string record = "PK\x05\x06" + std::string(16, '\x11');
    const size_t length = claimedLength < 0 ? comment.size() : static_cast<size_t>(claimedLength);
    record += static_cast<char>(length & 0xff);
    record += static_cast<char>(length >> 8);
    return body + record + comment;
}

ArchiveSignatures Digest(const std::string& bytes, size_t piece) {
    ArchiveDigest digest;
    for (size_t at = 0; at < bytes.size(); at += piece)
        digest.Add(bytes.data() + at, std::min(piece, bytes.size() - at));
    return digest.Finish();
}

std::string Block() {
    return vantor::FormatSignatureBlock({{std::string(16, '7'), std::vector<uint8_t>(256, 0x42)}});
}

}  // namespace

TEST(ArchiveDigest, SignsContextAndEverythingBeforeTheCommentLength) {
    std::string body(100000, '\0');
    for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 7 + i / 251);
    const std::string archive = Archive(body, Block());
    const std::string covered = std::string(vantor::kSignedContext) + archive.substr(0, body.size() + 20);
    const vantor::Sha256Digest expected = vantor::Sha256::Of(covered.data(), covered.size());
    for (size_t piece : {size_t(1), size_t(1024), size_t(16405), vantor::kArchiveTailSize, archive.size()}) {
        const ArchiveSignatures read = Digest(archive, piece);
        EXPECT_EQ(ArchiveSignatureStatus::Signed, read.status) << piece;
        EXPECT_EQ(expected, read.digest) << piece;
        EXPECT_EQ(body.size() + 20, read.signedEnd) << piece;
        ASSERT_EQ(1u, read.signatures.size());
    }
}

TEST(ArchiveDigest, AddingASignatureKeepsTheDigest) {
    const std::string body(5000, 'z');
    const std::string twice = vantor::FormatSignatureBlock(
        {{std::string(16, '7'), std::vector<uint8_t>(256, 0x42)}, {std::string(16, '8'), std::vector<uint8_t>(512, 1)}});
    EXPECT_EQ(Digest(Archive(body, ""), 1024).digest, Digest(Archive(body, twice), 1024).digest);
    EXPECT_EQ(ArchiveSignatureStatus::Unsigned, Digest(Archive(body, ""), 1024).status);
}

TEST(ArchiveDigest, RefusesACommentThatDoesNotEndAtTheFileEnd) {
    const std::string body(3000, 'b');
    const std::string block = Block();
    EXPECT_EQ(ArchiveSignatureStatus::NoEndRecord, Digest(Archive(body, block, long(block.size()) + 1), 100).status);
    EXPECT_EQ(ArchiveSignatureStatus::NoEndRecord, Digest(Archive(body, block, 0xffff), 100).status);
    EXPECT_EQ(ArchiveSignatureStatus::NoEndRecord, Digest(Archive(body, block) + "x", 100).status);
    EXPECT_EQ(ArchiveSignatureStatus::NoEndRecord, Digest(Archive(body, block).substr(0, 3000 + 22 + 50), 100).status);
    EXPECT_EQ(ArchiveSignatureStatus::NoEndRecord, Digest("", 1).status);
    EXPECT_EQ(ArchiveSignatureStatus::NoEndRecord, Digest(body, 7).status);
    // A comment longer than any signature block is not looked for.
    const std::string huge(vantor::kMaxSignatureBlockSize + 1, 'c');
    EXPECT_EQ(ArchiveSignatureStatus::NoEndRecord, Digest(Archive(body, huge), 4096).status);
}

TEST(ArchiveDigest, TellsAForeignCommentFromNoSignature) {
    const std::string body(3000, 'b');
    EXPECT_EQ(ArchiveSignatureStatus::BadSignatureBlock, Digest(Archive(body, "made by hand"), 64).status);
    std::string flipped = Block();
    flipped[40] ^= 1;
    EXPECT_EQ(ArchiveSignatureStatus::BadSignatureBlock, Digest(Archive(body, flipped), 64).status);
}
