#include <gtest/gtest.h>

#include "CertificateFilePath.h"

using trustfit::CertificateFilePath;

namespace {

// Code page 936 lead bytes, independent of the code page the test runs under.
bool Gbk(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

}  // namespace

TEST(CertificateFilePath, BesideTheProgram) {
    EXPECT_EQ("Z:\\game\\certs\\certs.p7b", CertificateFilePath("Z:\\game\\certs\\Trustfit.exe", Gbk));
    EXPECT_EQ("C:\\a.b\\certs.p7b", CertificateFilePath("C:\\a.b\\x.com", Gbk));
}

TEST(CertificateFilePath, CurrentFolderWithoutThreeLetterExtension) {
    EXPECT_EQ("certs.p7b", CertificateFilePath("", Gbk));
    EXPECT_EQ("certs.p7b", CertificateFilePath(".exe", Gbk));  // not longer than 4
    EXPECT_EQ("certs.p7b", CertificateFilePath("C:\\dir.ext\\Trustfit", Gbk));
    EXPECT_EQ("certs.p7b", CertificateFilePath("C:\\dir\\Trustfit.ex", Gbk));
}

TEST(CertificateFilePath, ExtensionWithoutFolder) {
    EXPECT_EQ("certs.p7b", CertificateFilePath("Trustfit.exe", Gbk));
}

TEST(CertificateFilePath, BackslashTrailByteIsNotAFolderEnd) {
    // 0x81 0x5C is one character whose trail byte looks like a backslash.
    EXPECT_EQ("Z:\\\xB0\xB2\\certs.p7b", CertificateFilePath("Z:\\\xB0\xB2\\\x81\x5C.exe", Gbk));
    EXPECT_EQ("Z:\\\x81\x5C\\certs.p7b", CertificateFilePath("Z:\\\x81\x5C\\T.exe", Gbk));
}
