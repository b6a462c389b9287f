// Imports one certificate into the local machine's store that fits it.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include "StoreChoice.h"

namespace trustfit {

// Reads the basic constraints and compares subject with issuer. False when the
// basic-constraints extension cannot be decoded (the last error says why).
bool ReadCertificateKind(PCCERT_CONTEXT cert, CertificateKind& kind);

// Prints one line about the certificate. 1 when it was added or was already in
// its store, 0 when it was skipped (decode, store-open or add failure).
int InstallCertificate(PCCERT_CONTEXT cert);

}  // namespace trustfit
