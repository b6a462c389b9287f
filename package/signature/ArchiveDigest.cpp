#include "ArchiveDigest.h"

#include <cstring>

namespace vantor {

const char kSignedContext[] = "Vantor update package 1\n";

namespace {

uint16_t Little16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// The offset within tail of the end record whose comment ends exactly at the
// tail's end, searched from the back as zip readers do; -1 when there is none.
// A signature block holds no "PK\5\6", so no record inside it can be taken.
long FindEndRecord(const uint8_t* tail, size_t size) {
    if (size < kZipEndRecordSize) return -1;
    for (size_t at = size - kZipEndRecordSize + 1; at-- > 0;) {
        if (tail[at] == 'P' && tail[at + 1] == 'K' && tail[at + 2] == 5 && tail[at + 3] == 6 &&
            Little16(tail + at + 20) == size - at - kZipEndRecordSize)
            return static_cast<long>(at);
    }
    return -1;
}

}  // namespace

ArchiveDigest::ArchiveDigest() {
    m_hash.Add(kSignedContext, sizeof kSignedContext - 1);
    m_tail.reserve(2 * kArchiveTailSize);
}

void ArchiveDigest::Add(const void* data, size_t size) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    m_totalBytes += size;
    // Whatever lies before the last kArchiveTailSize bytes cannot be the comment: hash it now.
    if (size >= kArchiveTailSize) {
        m_hash.Add(m_tail.data(), m_tail.size());
        m_hash.Add(bytes, size - kArchiveTailSize);
        m_tail.assign(bytes + size - kArchiveTailSize, bytes + size);
        return;
    }
    m_tail.insert(m_tail.end(), bytes, bytes + size);
    if (m_tail.size() >= 2 * kArchiveTailSize) {
        const size_t spill = m_tail.size() - kArchiveTailSize;
        m_hash.Add(m_tail.data(), spill);
        m_tail.erase(m_tail.begin(), m_tail.begin() + static_cast<std::ptrdiff_t>(spill));
    }
}

ArchiveSignatures ArchiveDigest::Finish() {
    ArchiveSignatures result;
    // Only the last kArchiveTailSize bytes can hold the record and its comment.
    const size_t searched = m_tail.size() < kArchiveTailSize ? m_tail.size() : kArchiveTailSize;
    const size_t searchStart = m_tail.size() - searched;
    const long found = FindEndRecord(m_tail.data() + searchStart, searched);
    if (found < 0) return result;
    const size_t record = searchStart + static_cast<size_t>(found);
    m_hash.Add(m_tail.data(), record + 20);
    result.digest = m_hash.Finish();
    result.signedEnd = m_totalBytes - m_tail.size() + record + 20;
    const char* comment = reinterpret_cast<const char*>(m_tail.data() + record + kZipEndRecordSize);
    const size_t commentLength = m_tail.size() - record - kZipEndRecordSize;
    if (commentLength == 0)
        result.status = ArchiveSignatureStatus::Unsigned;
    else if (ParseSignatureBlock(comment, commentLength, result.signatures))
        result.status = ArchiveSignatureStatus::Signed;
    else
        result.status = ArchiveSignatureStatus::BadSignatureBlock;
    return result;
}

const char* ArchiveSignatureStatusText(ArchiveSignatureStatus status) {
    switch (status) {
    case ArchiveSignatureStatus::Signed: return "signed";
    case ArchiveSignatureStatus::NoEndRecord: return "not a zip archive whose comment ends at the file's end";
    case ArchiveSignatureStatus::Unsigned: return "not signed (its comment is empty)";
    case ArchiveSignatureStatus::BadSignatureBlock: return "its comment is not a signature block";
    }
    return "";
}

}  // namespace vantor
