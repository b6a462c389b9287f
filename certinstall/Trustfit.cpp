// certs\Trustfit.exe: imports the certificates of certs.p7b, found beside the
// program, into the local machine's certificate stores. The launcher starts it
// at every start without arguments and does not wait for it.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <string>

#include "CertificateFile.h"
#include "CertificateFilePath.h"
#include "CertificateInstall.h"
#include "CommandLine.h"
#include "CryptHandles.h"
#include "ExitStatus.h"
#include "LastError.h"
#include "TrustfitTexts.h"
#include "framework/ModuleFolder.h"

using namespace trustfit;

namespace {

const char* FileFailureText(FileStep step) {
    switch (step) {
        case FileStep::Open: return kOpenFailed;
        case FileStep::Size: return kSizeFailed;
        case FileStep::Allocate: return kAllocFailed;
        case FileStep::Read: return kReadFailed;
        case FileStep::Done: break;
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    // Texts go out exactly as written: "\n" stays one line feed.
    ::_setmode(::_fileno(stdout), _O_BINARY);

    std::fputs(kBannerVersion, stdout);
    std::fputs(kBannerRest, stdout);
    if (!IsAcceptedCommandLine(argc, argv)) {
        std::fputs(kInvalidParameter, stdout);
        return kExitBadArgument;
    }

    // A path too long to read names no folder; the current folder is the fallback.
    const std::string path = CertificateFilePath(fw::GetModulePath(), fw::SystemLeadByteRule());
    ProcessHeapBlock block;
    ErrorText reason{};
    const FileStep failed = ReadCertificateFile(path, block, reason);
    if (failed != FileStep::Done) {
        std::printf(FileFailureText(failed), reason.data());
        return kExitFileFailure;
    }

    ScopedCertStore message(::CryptGetMessageCertificates(X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0, 0,
                                                          block.data(), block.size()));
    if (!message) return kExitNotPkcs7;

    std::fputs(kImporting, stdout);
    PCCERT_CONTEXT cert = nullptr;
    // Each call frees the previous context; the walk ends with nullptr.
    while ((cert = ::CertFindCertificateInStore(message.get(), X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0,
                                                CERT_FIND_ANY, nullptr, cert)) != nullptr) {
        InstallCertificate(cert);
    }
    return kExitCompleted;
}
