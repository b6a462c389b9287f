// cert_store_list STORE
// Lists the certificates of a local-machine system store ("Root", "CA",
// "AddressBook", ...), one line each: the SHA-1 thumbprint in upper-case hex,
// a space, the subject's simple display name. Exit status 1 when the store
// cannot be opened.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: cert_store_list STORE\n");
        return 2;
    }
    std::wstring storeName(argv[1], argv[1] + std::strlen(argv[1]));
    HCERTSTORE store = ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                                       CERT_SYSTEM_STORE_LOCAL_MACHINE | CERT_STORE_READONLY_FLAG,
                                       storeName.c_str());
    if (store == nullptr) {
        std::printf("error %lu\n", static_cast<unsigned long>(::GetLastError()));
        return 1;
    }
    PCCERT_CONTEXT cert = nullptr;
    while ((cert = ::CertEnumCertificatesInStore(store, cert)) != nullptr) {
        BYTE hash[20];
        DWORD hashSize = sizeof hash;
        if (!::CertGetCertificateContextProperty(cert, CERT_SHA1_HASH_PROP_ID, hash, &hashSize)) continue;
        char name[256] = "";
        ::CertGetNameStringA(cert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, sizeof name);
        for (DWORD i = 0; i < hashSize; ++i) std::printf("%02X", hash[i]);
        std::printf(" %s\n", name);
    }
    ::CertCloseStore(store, 0);
    return 0;
}
