// cert_store_list STORE...
// Lists the certificates of local-machine system stores ("Root", "CA",
// "AddressBook", ...), one line each: the store's name, the SHA-1 thumbprint in
// upper-case hex and the subject's simple display name, separated by spaces.
// Exit status 1 when a store cannot be opened.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool ListStore(const char* name) {
    const std::wstring wideName(name, name + std::strlen(name));
    HCERTSTORE store = ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                                       CERT_SYSTEM_STORE_LOCAL_MACHINE | CERT_STORE_READONLY_FLAG,
                                       wideName.c_str());
    if (store == nullptr) {
        std::printf("%s error %lu\n", name, static_cast<unsigned long>(::GetLastError()));
        return false;
    }
    PCCERT_CONTEXT cert = nullptr;
    while ((cert = ::CertEnumCertificatesInStore(store, cert)) != nullptr) {
        BYTE hash[20];
        DWORD hashSize = sizeof hash;
        if (!::CertGetCertificateContextProperty(cert, CERT_SHA1_HASH_PROP_ID, hash, &hashSize)) continue;
        char subject[256] = "";
        ::CertGetNameStringA(cert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, subject, sizeof subject);
        std::printf("%s ", name);
        for (DWORD i = 0; i < hashSize; ++i) std::printf("%02X", hash[i]);
        std::printf(" %s\n", subject);
    }
    ::CertCloseStore(store, 0);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: cert_store_list STORE...\n");
        return 2;
    }
    bool allOpened = true;
    for (int i = 1; i < argc; ++i) allOpened = ListStore(argv[i]) && allOpened;
    return allOpened ? 0 : 1;
}
