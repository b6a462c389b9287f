#include "Sha256.h"
#include "SignatureBlock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Hex(const vantor::Sha256Digest& d) { return vantor::LowerHex(d.data(), d.size()); }

std::string InPieces(const std::string& text, size_t piece) {
    vantor::Sha256 hash;
    for (size_t at = 0; at < text.size(); at += piece) hash.Add(text.data() + at, std::min(piece, text.size() - at));
    return Hex(hash.Finish());
}

}  // namespace

TEST(Sha256, KnownDigests) {
    EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", Hex(vantor::Sha256::Of("", 0)));
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", Hex(vantor::Sha256::Of("abc", 3)));
    const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";  // 448 bits: padding spills
    EXPECT_EQ("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1", InPieces(two, two.size()));
}

TEST(Sha256, PiecesOfAnySizeGiveOneDigest) {
    const std::string million(1000000, 'a');
    for (size_t piece : {1u, 63u, 64u, 65u, 1024u, 1000000u})
        EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0", InPieces(million, piece))
            << piece;
}

TEST(Sha256, TheProcessorsShaInstructionsAgreeWithThePlainCode) {
    std::string data(300000, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 2654435761u) >> 13);
    for (size_t length : {size_t(0), size_t(55), size_t(64), size_t(1000), size_t(299999)}) {
        vantor::Sha256 fast, plain;
        plain.UsePlainCode();
        for (size_t at = 0; at < length; at += 777) {
            fast.Add(data.data() + at, std::min<size_t>(777, length - at));
            plain.Add(data.data() + at, std::min<size_t>(777, length - at));
        }
        EXPECT_EQ(Hex(plain.Finish()), Hex(fast.Finish())) << length;
    }
}
