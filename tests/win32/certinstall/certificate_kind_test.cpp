// Store choice: the table on its own, and the facts read from real certificates.
#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CertificateInstall.h"
#include "StoreChoice.h"

using namespace trustfit;

namespace {

struct CertFree {
    void operator()(PCCERT_CONTEXT c) const { ::CertFreeCertificateContext(c); }
};
using CertPtr = std::unique_ptr<const CERT_CONTEXT, CertFree>;

CertPtr LoadFixture(const char* name) {
    const char* dir = std::getenv("VANTOR_TEST_DATA");
    if (dir == nullptr) return nullptr;
    std::ifstream in(std::string(dir) + "\\" + name, std::ios::binary);
    std::stringstream pem;
    pem << in.rdbuf();
    const std::string text = pem.str();
    DWORD size = 0;
    if (!::CryptStringToBinaryA(text.c_str(), 0, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr))
        return nullptr;
    std::vector<BYTE> der(size);
    ::CryptStringToBinaryA(text.c_str(), 0, CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr);
    return CertPtr(::CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), size));
}

TargetStore StoreFor(const char* fixture) {
    CertPtr cert = LoadFixture(fixture);
    EXPECT_TRUE(cert) << fixture;
    CertificateKind kind;
    EXPECT_TRUE(cert && ReadCertificateKind(cert.get(), kind)) << fixture;
    return ChooseStore(kind);
}

}  // namespace

TEST(StoreChoice, Table) {
    EXPECT_EQ(TargetStore::AddressBook, ChooseStore({false, false, false}));
    EXPECT_EQ(TargetStore::AddressBook, ChooseStore({false, false, true}));
    EXPECT_EQ(TargetStore::AddressBook, ChooseStore({true, false, true}));
    EXPECT_EQ(TargetStore::Root, ChooseStore({true, true, true}));
    EXPECT_EQ(TargetStore::CA, ChooseStore({true, true, false}));
}

TEST(StoreChoice, Names) {
    EXPECT_STREQ(L"Root", StoreName(TargetStore::Root));
    EXPECT_STREQ(L"CA", StoreName(TargetStore::CA));
    EXPECT_STREQ(L"AddressBook", StoreName(TargetStore::AddressBook));
}

TEST(CertificateKind, SelfSignedCaGoesToRoot) { EXPECT_EQ(TargetStore::Root, StoreFor("root-ca.pem")); }

TEST(CertificateKind, CaSignedByAnotherGoesToCa) { EXPECT_EQ(TargetStore::CA, StoreFor("intermediate-ca.pem")); }

TEST(CertificateKind, EndEntityGoesToAddressBook) {
    EXPECT_EQ(TargetStore::AddressBook, StoreFor("server.pem"));      // CA flag false
    EXPECT_EQ(TargetStore::AddressBook, StoreFor("leaf-plain.pem"));  // no basic constraints
}

TEST(CertificateKind, UndecodableConstraintsFailWithCryptError) {
    CertPtr cert = LoadFixture("leaf-broken.pem");
    ASSERT_TRUE(cert);
    CertificateKind kind;
    ::SetLastError(0);
    EXPECT_FALSE(ReadCertificateKind(cert.get(), kind));
    // crypt32's own reason (an ASN.1 NULL where a SEQUENCE belongs), not a stale code.
    EXPECT_EQ(static_cast<DWORD>(CRYPT_E_ASN1_BADTAG), ::GetLastError()) << std::hex << ::GetLastError();
}
