#include <gtest/gtest.h>

#include "CertificateFilePath.h"

using trustfit::CertificateFilePath;

TEST(CertificateFilePath, BesideTheProgram) {
    EXPECT_EQ("Z:\\game\\certs\\certs.p7b", CertificateFilePath("Z:\\game\\certs\\Trustfit.exe"));
    EXPECT_EQ("C:\\a.b\\certs.p7b", CertificateFilePath("C:\\a.b\\x.com"));
}

TEST(CertificateFilePath, CurrentFolderWithoutThreeLetterExtension) {
    EXPECT_EQ("certs.p7b", CertificateFilePath(""));
    EXPECT_EQ("certs.p7b", CertificateFilePath(".exe"));  // not longer than 4
    EXPECT_EQ("certs.p7b", CertificateFilePath("C:\\dir.ext\\Trustfit"));
    EXPECT_EQ("certs.p7b", CertificateFilePath("C:\\dir\\Trustfit.ex"));
}

TEST(CertificateFilePath, ExtensionWithoutFolder) {
    EXPECT_EQ("certs.p7b", CertificateFilePath("Trustfit.exe"));
    EXPECT_EQ("\\certs.p7b", CertificateFilePath("\\Trustfit.exe")) << "a backslash at the start is a folder";
}

TEST(CertificateFilePath, BackslashTrailByteIsNotAFolderEnd) {
    // 0x81 0x5C is one character whose trail byte looks like a backslash.
    EXPECT_EQ("Z:\\\xB0\xB2\\certs.p7b", CertificateFilePath("Z:\\\xB0\xB2\\\x81\x5C.exe"));
    EXPECT_EQ("Z:\\\x81\x5C\\certs.p7b", CertificateFilePath("Z:\\\x81\x5C\\T.exe"));
}
