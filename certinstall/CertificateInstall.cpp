#include "CertificateInstall.h"

#include <cstdio>
#include <vector>

#include "CryptHandles.h"
#include "LastError.h"
#include "TrustfitTexts.h"

namespace trustfit {

namespace {

constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

}  // namespace

bool ReadCertificateKind(PCCERT_CONTEXT cert, CertificateKind& kind) {
    const CERT_INFO* info = cert->pCertInfo;
    kind = CertificateKind{};
    const CERT_EXTENSION* ext =
        ::CertFindExtension(szOID_BASIC_CONSTRAINTS2, info->cExtension, info->rgExtension);
    if (ext != nullptr) {
        DWORD size = 0;
        if (!::CryptDecodeObject(kEncoding, szOID_BASIC_CONSTRAINTS2, ext->Value.pbData,
                                 ext->Value.cbData, 0, nullptr, &size)) {
            return false;
        }
        std::vector<BYTE> decoded(size);
        if (size < sizeof(CERT_BASIC_CONSTRAINTS2_INFO) ||
            !::CryptDecodeObject(kEncoding, szOID_BASIC_CONSTRAINTS2, ext->Value.pbData,
                                 ext->Value.cbData, 0, decoded.data(), &size)) {
            if (size < sizeof(CERT_BASIC_CONSTRAINTS2_INFO)) ::SetLastError(ERROR_INVALID_DATA);
            return false;
        }
        kind.hasBasicConstraints = true;
        kind.isCA = reinterpret_cast<const CERT_BASIC_CONSTRAINTS2_INFO*>(decoded.data())->fCA != FALSE;
    }
    if (kind.isCA) {
        kind.selfIssued = ::CertCompareCertificateName(kEncoding, const_cast<CERT_NAME_BLOB*>(&info->Subject),
                                                       const_cast<CERT_NAME_BLOB*>(&info->Issuer)) != FALSE;
    }
    return true;
}

int InstallCertificate(PCCERT_CONTEXT cert) {
    CertificateKind kind;
    if (!ReadCertificateKind(cert, kind)) {
        std::printf(kDecodeFailed, FormatLastError().data());
        return 0;
    }
    ScopedCertStore store(::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, kEncoding, 0,
                                          CERT_SYSTEM_STORE_LOCAL_MACHINE, StoreName(ChooseStore(kind))));
    if (!store) {
        std::printf(kStoreOpenFailed, FormatLastError().data());
        return 0;
    }
    char name[256] = "";
    ::CertGetNameStringA(cert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, const_cast<char*>(szOID_COMMON_NAME), name,
                         sizeof name);
    if (!::CertAddCertificateContextToStore(store.get(), cert, CERT_STORE_ADD_USE_EXISTING, nullptr)) {
        const ErrorText reason = FormatLastError();
        std::printf(kImportFailed, name, reason.data());
        return 0;
    }
    std::printf(kImported, name);
    return 1;
}

}  // namespace trustfit
