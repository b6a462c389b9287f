// Process exit status of the certificate installer. The launcher does not read
// it; it is for people and scripts that run the installer by hand.
#pragma once

namespace trustfit {

enum ExitStatus : int {
    kExitCompleted = 0,      // every certificate was tried (each may have failed on its own)
    kExitBadArgument = 1,    // the first argument was not "/s"
    kExitFileFailure = 2,    // certs.p7b could not be opened, sized, held or read
    kExitNotPkcs7 = 3,       // certs.p7b is not a PKCS#7 message
};

}  // namespace trustfit
