#include "SignatureBlock.h"
#include "text/Base64.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using vantor::PackageSignature;

namespace {

PackageSignature Signature(char keyDigit, size_t bytes, uint8_t fill = 0xa5) {
    return PackageSignature{std::string(16, keyDigit), std::vector<uint8_t>(bytes, fill)};
}

bool Parses(const std::string& text) {
    std::vector<PackageSignature> out;
    return vantor::ParseSignatureBlock(text.data(), text.size(), out);
}

}  // namespace

TEST(SignatureBlock, FormatsAndParsesBack) {
    const std::vector<PackageSignature> two{Signature('1', 256, 0x0f), Signature('a', 512, 0xf0)};
    const std::string text = vantor::FormatSignatureBlock(two);
    EXPECT_EQ(0u, text.find("Vantor update package signature 1\nrsa-sha256 1111111111111111 0f0f"));
    std::vector<PackageSignature> read;
    ASSERT_TRUE(vantor::ParseSignatureBlock(text.data(), text.size(), read));
    ASSERT_EQ(2u, read.size());
    EXPECT_EQ(two[1].keyId, read[1].keyId);
    EXPECT_EQ(two[1].signature, read[1].signature);
    for (char c : text) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7f)) << int(c);  // zip tools print it
}

TEST(SignatureBlock, EveryCutOfAWellFormedBlockIsRefused) {
    const std::string text = vantor::FormatSignatureBlock({Signature('1', 256), Signature('2', 300)});
    // A cut right after the first signature's line is itself a well-formed block of one.
    const size_t firstLineEnd = text.find('\n', std::strlen(vantor::kSignatureBlockHeader)) + 1;
    for (size_t length = 0; length < text.size(); ++length)
        if (length != firstLineEnd) EXPECT_FALSE(Parses(text.substr(0, length))) << length;
}

TEST(SignatureBlock, RefusesWhatIsNotExactlyTheFormat) {
    const std::string good = vantor::FormatSignatureBlock({Signature('1', 256)});
    ASSERT_TRUE(Parses(good));
    EXPECT_FALSE(Parses(std::string(vantor::kSignatureBlockHeader)));        // no signature at all
    std::string upper = good;
    upper[upper.size() - 2] = 'A';
    EXPECT_FALSE(Parses(upper));                                             // uppercase hex
    EXPECT_FALSE(Parses(good + "\n"));                                       // a blank line
    std::string crlf = good;
    crlf.insert(crlf.size() - 1, "\r");
    EXPECT_FALSE(Parses(crlf));
    EXPECT_FALSE(Parses("Vandor" + good.substr(6)));                         // another first line
    EXPECT_FALSE(Parses(vantor::FormatSignatureBlock({Signature('1', 255)})));  // RSA below 2048 bits
    EXPECT_FALSE(Parses(vantor::FormatSignatureBlock({Signature('1', 513)})));  // above 4096 bits
    EXPECT_FALSE(Parses(vantor::FormatSignatureBlock({Signature('1', 256), Signature('1', 256)})));  // a key twice
    std::string odd = good;
    odd.insert(odd.size() - 1, "0");
    EXPECT_FALSE(Parses(odd));                                               // half a byte
    std::vector<PackageSignature> nine;
    for (char k = '1'; k <= '9'; ++k) nine.push_back(Signature(k, 256));
    EXPECT_FALSE(Parses(vantor::FormatSignatureBlock(nine)));
    nine.pop_back();
    EXPECT_TRUE(Parses(vantor::FormatSignatureBlock(nine)));
    std::vector<PackageSignature> largest;
    for (char k = '1'; k <= '8'; ++k) largest.push_back(Signature(k, vantor::kMaxSignatureBytes));
    EXPECT_EQ(vantor::kMaxSignatureBlockSize, vantor::FormatSignatureBlock(largest).size());
}

TEST(Base64, DecodesPemBodiesAndRefusesBrokenText) {
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(vantor::DecodeBase64("cGxh\r\neWVy\nMQ==\n", 16, bytes));
    EXPECT_EQ("player1", std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(vantor::DecodeBase64("YWI=", 4, bytes));
    EXPECT_EQ("ab", std::string(bytes.begin(), bytes.end()));
    for (const char* bad : {"YWI", "Y===", "YW=I", "YQ==YQ==", "YW!j"})
        EXPECT_FALSE(vantor::DecodeBase64(bad, std::strlen(bad), bytes)) << bad;
}
