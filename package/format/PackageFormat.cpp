#include "PackageFormat.h"

#include <cstring>

namespace pk {
namespace {

void Put32(uint8_t* p, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24);
}

int32_t Get32(const uint8_t* p) {
    uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                 static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    return static_cast<int32_t>(v);
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, alone or before an extension.
bool IsDeviceName(const std::string& name) {
    std::string stem;
    for (char c : name) {
        if (c == '.') break;
        stem += Upper(c);
    }
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

void EncodeHeader(int32_t count, uint8_t out[kHeaderSize]) {
    std::memset(out, 0, kHeaderSize);
    std::memcpy(out, kMagic, sizeof kMagic);
    Put32(out + kMagicFieldSize, count);
}

void EncodeEntry(const PackageEntry& entry, uint8_t out[kEntrySize]) {
    std::memset(out, 0, kEntrySize);
    std::memcpy(out, entry.name.data(), entry.name.size() < kNameFieldSize ? entry.name.size() : kNameFieldSize - 1);
    Put32(out + kNameFieldSize, entry.offset);
    Put32(out + kNameFieldSize + 4, entry.size);
}

PackageStatus DecodeHeader(const uint8_t in[kHeaderSize], int32_t* count) {
    if (std::memcmp(in, kMagic, sizeof kMagic) != 0) return PackageStatus::BadMagic;
    *count = Get32(in + kMagicFieldSize);
    return PackageStatus::Ok;
}

PackageStatus DecodeEntry(const uint8_t in[kEntrySize], int64_t packageSize, PackageEntry* entry) {
    const void* nul = std::memchr(in, 0, kNameFieldSize);
    if (!nul) return PackageStatus::BadName;
    entry->name.assign(reinterpret_cast<const char*>(in), static_cast<const uint8_t*>(nul) - in);
    entry->offset = Get32(in + kNameFieldSize);
    entry->size = Get32(in + kNameFieldSize + 4);
    if (entry->offset < 0 || entry->size < 0 || int64_t(entry->offset) + entry->size > packageSize)
        return PackageStatus::EntryOutsideFile;
    return PackageStatus::Ok;
}

bool IsSafeBareName(const std::string& name, CharLengthRule charLength) {
    if (name.empty() || name.size() >= kNameFieldSize) return false;
    bool onlyDotsAndSpaces = true;
    for (size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const size_t step = CharLengthAt(charLength, name, i);
        i += step;
        if (c != '.' && c != ' ') onlyDotsAndSpaces = false;
        if (step == 1 && (c == '\\' || c == '/' || c == ':' || c < 0x20)) return false;
    }
    return !onlyDotsAndSpaces && !IsDeviceName(name);
}

bool LayOutEntries(const std::vector<std::string>& names, const std::vector<int64_t>& sizes,
                   std::vector<PackageEntry>* entries) {
    entries->clear();
    int64_t offset = int64_t(kHeaderSize) + int64_t(kEntrySize) * int64_t(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        if (sizes[i] < 0 || sizes[i] > kMaxOffset || offset + sizes[i] > kMaxOffset) return false;
        PackageEntry e;
        e.name = names[i];
        e.offset = static_cast<int32_t>(offset);
        e.size = static_cast<int32_t>(sizes[i]);
        entries->push_back(e);
        offset += sizes[i];
    }
    return true;
}

}  // namespace pk
