// Feeds arbitrary bytes to the signature block reader, and as the last bytes of
// an archive (in pieces whose size the first byte chooses) to the archive digest.
#include <cstdint>
#include <string>
#include <vector>

#include "ArchiveDigest.h"
#include "SignatureBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<vantor::PackageSignature> signatures;
    if (vantor::ParseSignatureBlock(reinterpret_cast<const char*>(data), size, signatures)) {
        // What parses formats back to the same text.
        if (vantor::FormatSignatureBlock(signatures) != std::string(reinterpret_cast<const char*>(data), size))
            __builtin_trap();
    }
    if (size == 0) return 0;
    const size_t piece = 1 + data[0] % 64;
    vantor::ArchiveDigest digest;
    for (size_t at = 1; at < size; at += piece) digest.Add(data + at, std::min(piece, size - at));
    const vantor::ArchiveSignatures read = digest.Finish();
    if (read.status != vantor::ArchiveSignatureStatus::NoEndRecord && read.signedEnd + 2 > size - 1) __builtin_trap();
    return 0;
}
