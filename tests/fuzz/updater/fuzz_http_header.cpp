// Feeds a reply one byte at a time into the response header buffer, as the
// socket client receives it, then looks up names taken from the input with
// small value buffers. The first byte picks the value buffer's size, the second
// the length of the looked-up names; the rest is the reply.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "logic/HttpResponseHeader.h"

namespace {

constexpr size_t kValueRoom = 40;
constexpr char kUnwritten = '#';

bool EndsWithBlankLine(const char* bytes, int length) {
    return length >= 4 && std::memcmp(bytes + length - 4, "\r\n\r\n", 4) == 0;
}

void CheckLookUp(const vantor::ResponseHeaderBuffer& header, const std::string& name, size_t valueSize) {
    char value[kValueRoom];
    std::memset(value, kUnwritten, sizeof(value));
    const int result = vantor::LookUpHeaderValue(header.data(), header.length(), name.c_str(), value, valueSize);
    // Nothing is written past the size given.
    for (size_t i = valueSize; i < kValueRoom; ++i)
        if (value[i] != kUnwritten) __builtin_trap();

    const char* begin = header.data();
    const char* end = begin + header.length();
    const char* found = name.empty() ? end : std::search(begin, end, name.begin(), name.end());
    if (found == end) {
        // Not there: the value is left as it was.
        if (result != -1 || value[0] != kUnwritten) __builtin_trap();
        return;
    }
    if (valueSize > 0 && std::memchr(value, '\0', valueSize) == nullptr) __builtin_trap();
    if (result < 0) {
        if (result != -1 || (valueSize > 0 && value[0] != '\0')) __builtin_trap();
        return;
    }
    // The value lies two bytes after the name and ends just before a CR LF.
    const char* valueStart = found + name.size() + 2;
    if (valueStart + result + 2 > end || std::memcmp(valueStart + result, "\r\n", 2) != 0) __builtin_trap();
    static const char kCrLf[] = "\r\n";
    if (std::search(valueStart, valueStart + result + 2, kCrLf, kCrLf + 2) != valueStart + result) __builtin_trap();
    const size_t copied = valueSize == 0 ? 0 : std::min(static_cast<size_t>(result), valueSize - 1);
    if (valueSize > 0 && (std::memcmp(value, valueStart, copied) != 0 || value[copied] != '\0')) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t valueSize = data[0] % 24;
    const size_t nameLength = data[1] % 20;
    const std::string reply(reinterpret_cast<const char*>(data) + 2, size - 2);

    vantor::ResponseHeaderBuffer header;
    bool complete = false;
    size_t fed = 0;
    while (fed < reply.size() && !complete) complete = header.Add(reply[fed++]);

    // The header holds every byte fed and ends at the first blank line or when full.
    if (header.length() != static_cast<int>(fed) || fed > vantor::ResponseHeaderBuffer::kCapacity) __builtin_trap();
    if (std::memcmp(header.data(), reply.data(), fed) != 0) __builtin_trap();
    if (complete != (EndsWithBlankLine(header.data(), header.length()) ||
                     header.length() == vantor::ResponseHeaderBuffer::kCapacity))
        __builtin_trap();
    for (int i = 4; i < header.length(); ++i)
        if (EndsWithBlankLine(header.data(), i)) __builtin_trap();

    // Names: a fixed one, the reply's first bytes, and bytes from inside the header.
    std::string fromStart = reply.substr(0, nameLength);
    std::string fromInside;
    if (header.length() > 0) {
        const size_t at = (data[0] * 31u + data[1]) % static_cast<size_t>(header.length());
        fromInside.assign(header.data() + at, std::min(nameLength, static_cast<size_t>(header.length()) - at));
    }
    for (std::string name : {std::string("Content-Length"), fromStart, fromInside}) {
        name = name.substr(0, name.find('\0'));
        CheckLookUp(header, name, valueSize);
    }
    return 0;
}
