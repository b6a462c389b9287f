// SHA-256 over data given in pieces: the updater hashes a package while its
// bytes arrive, and parcel hashes an archive before it signs it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vantor {

using Sha256Digest = std::array<uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    void Add(const void* data, size_t size);
    // The digest of everything added; the object is spent afterwards.
    Sha256Digest Finish();

    static Sha256Digest Of(const void* data, size_t size) {
        Sha256 hash;
        hash.Add(data, size);
        return hash.Finish();
    }

    // The tests compare the processor's SHA instructions with the plain code.
    void UsePlainCode() { m_bUseExtensions = false; }

private:
    void Compress(const uint8_t* block);
    void CompressBlocks(const uint8_t* data, size_t blocks);

    uint32_t m_state[8];
    uint8_t m_block[64];
    size_t m_blockUsed = 0;
    uint64_t m_totalBytes = 0;
    bool m_bUseExtensions = true;
};

}  // namespace vantor
