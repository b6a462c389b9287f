// The updater's check of an archive's signatures with the real CryptoAPI:
// an archive signed with a carried key verifies, and every change of a signed
// byte, every cut and every foreign or malformed block is refused.
#include "ArchiveDigest.h"
#include "CryptoSignature.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

using vantor::ArchiveSignatures;
using vantor::DerBytes;

namespace {

std::string DataFile(const std::string& name) {
    const char* folder = std::getenv("VANTOR_TEST_DATA");
    std::ifstream in(std::string(folder ? folder : ".") + "\\" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ArchiveSignatures Read(const std::string& archive) {
    vantor::ArchiveDigest digest;
    for (size_t at = 0; at < archive.size(); at += 1024)
        digest.Add(archive.data() + at, std::min<size_t>(1024, archive.size() - at));
    return digest.Finish();
}

size_t CommentLengthAt(const std::string& archive) { return archive.rfind("PK\x05\x06") + 20; }

std::string WithComment(const std::string& archive, const std::string& comment) {
    std::string out = archive.substr(0, CommentLengthAt(archive));
    out += static_cast<char>(comment.size() & 0xff);
    out += static_cast<char>(comment.size() >> 8);
    return out + comment;
}

struct Signer {
    DerBytes privateKey, publicKey;
    explicit Signer(const char* file) {
        EXPECT_TRUE(vantor::RsaPrivateKeyOfPem(DataFile(file), privateKey)) << file;
        EXPECT_TRUE(vantor::PublicKeyInfoOfPrivateKey(privateKey, publicKey));
    }
    vantor::CarriedKey Carried() const { return {"test", publicKey.data(), publicKey.size()}; }
    // The archive with this signer's signature added to its block, as parcel sign does.
    std::string Sign(const std::string& archive) const {
        ArchiveSignatures read = Read(archive);
        vantor::PackageSignature signature{vantor::KeyIdOf(publicKey), {}};
        std::string error;
        EXPECT_TRUE(vantor::SignDigest(privateKey, read.digest, signature.signature, error)) << error;
        read.signatures.push_back(signature);
        return WithComment(archive, vantor::FormatSignatureBlock(read.signatures));
    }
};

class SignatureVerify : public ::testing::Test {
protected:
    void SetUp() override {
        zip = DataFile("package\\three-infozip.zip");
        ASSERT_GT(zip.size(), 100u);
        signed_ = ours.Sign(zip);
    }
    bool Verifies(const std::string& archive, const vantor::CarriedKey& key) const {
        return vantor::VerifyArchiveSignatures(Read(archive), &key, 1) != nullptr;
    }
    bool Verifies(const std::string& archive) const { return Verifies(archive, ours.Carried()); }

    Signer ours{"signature\\test-key-pkcs8.pem"};
    Signer foreign{"signature\\other-key-pkcs1.pem"};
    std::string zip, signed_;
};

}  // namespace

TEST_F(SignatureVerify, ASignatureOfACarriedKeyVerifies) {
    EXPECT_TRUE(Verifies(signed_));
    // A second key's signature added later leaves the first one good, and each key verifies.
    const std::string twice = foreign.Sign(signed_);
    EXPECT_TRUE(Verifies(twice));
    EXPECT_TRUE(Verifies(twice, foreign.Carried()));
}

TEST_F(SignatureVerify, EveryChangedByteIsRefused) {
    const size_t central = signed_.find("PK\x01\x02");
    const size_t comment = CommentLengthAt(signed_) + 2;
    ASSERT_NE(std::string::npos, central);
    const struct {
        const char* what;
        size_t at;
    } places[] = {{"local header", 4},
                  {"inner package data", 40},
                  {"central directory", central + 10},
                  {"end record", comment - 10},
                  {"comment header", comment + 3},
                  {"key id", comment + 40},
                  {"signature", signed_.size() - 5}};
    for (const auto& place : places) {
        std::string flipped = signed_;
        flipped[place.at] ^= 0x01;
        EXPECT_FALSE(Verifies(flipped)) << place.what;
    }
}

TEST_F(SignatureVerify, UnsignedCutForeignAndBorrowedArchivesAreRefused) {
    EXPECT_FALSE(Verifies(zip)) << "no signature";
    EXPECT_FALSE(Verifies(signed_.substr(0, signed_.size() - 1))) << "last byte cut";
    EXPECT_FALSE(Verifies(signed_.substr(0, signed_.size() / 2))) << "half cut";
    EXPECT_FALSE(Verifies(foreign.Sign(zip))) << "a key the updater does not carry";
    // The block of another correctly signed archive.
    std::string other = zip;
    other[40] ^= 0x10;
    const std::string otherSigned = ours.Sign(other);
    EXPECT_TRUE(Verifies(otherSigned));
    EXPECT_FALSE(Verifies(WithComment(zip, otherSigned.substr(CommentLengthAt(otherSigned) + 2))));
}

TEST_F(SignatureVerify, MalformedCommentsAreRefused) {
    std::string longer = signed_;
    longer[CommentLengthAt(signed_)] += 1;  // claims one byte more than the file has
    EXPECT_FALSE(Verifies(longer));
    const std::string block = signed_.substr(CommentLengthAt(signed_) + 2);
    EXPECT_FALSE(Verifies(WithComment(zip, block + block.substr(std::strlen(vantor::kSignatureBlockHeader)))))
        << "one key twice";
    EXPECT_FALSE(Verifies(WithComment(zip, block + std::string(vantor::kMaxSignatureBlockSize, 'a')))) << "oversized";
    EXPECT_FALSE(Verifies(WithComment(zip, "signed, trust me"))) << "not a block";
}
