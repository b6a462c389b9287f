#include "GbkText.h"

namespace vantor {

bool IsGbkCharBoundary(const char* text, size_t length, size_t offset) {
    const char* end = text + length;
    size_t at = 0;
    while (at < offset) at += GbkCharLength(text + at, end);
    return at == offset;
}

LeadByteRule LeadByteRule::Gbk() {
    static const unsigned char kGbkLeadBytes[] = {0x81, 0xFE};
    return FromRanges(kGbkLeadBytes, sizeof kGbkLeadBytes);
}

LeadByteRule LeadByteRule::FromRanges(const unsigned char* ranges, size_t count) {
    LeadByteRule rule;
    for (size_t i = 0; i + 1 < count && ranges[i] != 0; i += 2)
        for (unsigned c = ranges[i]; c <= ranges[i + 1]; ++c) rule.m_lead.set(c);
    return rule;
}

size_t FindLastBackslash(const std::string& text) { return FindLastBackslash(text, LeadByteRule::Gbk()); }

size_t FindLastBackslash(const std::string& text, const LeadByteRule& rule) {
    size_t found = std::string::npos;
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (const char* p = begin; p < end; p += rule.CharLength(p, end))
        if (*p == '\\') found = static_cast<size_t>(p - begin);
    return found;
}

std::string FolderBeforeLastBackslash(const std::string& path) {
    return FolderBeforeLastBackslash(path, LeadByteRule::Gbk());
}

std::string FolderBeforeLastBackslash(const std::string& path, const LeadByteRule& rule) {
    const size_t cut = FindLastBackslash(path, rule);
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

size_t WholeCharacterPrefix(const char* text, size_t length, size_t maxBytes) {
    const char* end = text + length;
    size_t kept = 0;
    while (kept < length) {
        const size_t step = GbkCharLength(text + kept, end);
        if (kept + step > maxBytes) break;
        kept += step;
    }
    return kept;
}

}  // namespace vantor
