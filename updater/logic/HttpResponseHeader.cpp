#include "HttpResponseHeader.h"

#include <algorithm>
#include <cstring>

namespace vantor {

bool ResponseHeaderBuffer::Add(char byte) {
    if (m_length >= kCapacity) return true;
    m_bytes[m_length++] = byte;
    if (m_length == kCapacity) return true;
    return m_length >= 4 && std::memcmp(m_bytes + m_length - 4, "\r\n\r\n", 4) == 0;
}

int LookUpHeaderValue(const char* header, int length, const char* name, char* value, size_t valueSize) {
    if (header == nullptr || length <= 0 || name == nullptr || name[0] == '\0') return -1;
    const char* end = header + length;
    const size_t nameLength = std::strlen(name);
    const char* found = std::search(header, end, name, name + nameLength);
    if (found == end) return -1;

    // The ": " after the name is taken for granted, as the servers write it.
    const size_t valueStart = static_cast<size_t>(found - header) + nameLength + 2;
    static const char kCrLf[] = "\r\n";
    const char* begin = header + std::min(valueStart, static_cast<size_t>(length));
    const char* lineEnd = std::search(begin, end, kCrLf, kCrLf + 2);
    if (valueStart > static_cast<size_t>(length) || lineEnd == end) {
        if (value != nullptr && valueSize > 0) value[0] = '\0';
        return -1;
    }
    const size_t valueLength = static_cast<size_t>(lineEnd - begin);
    if (value != nullptr && valueSize > 0) {
        const size_t copied = std::min(valueLength, valueSize - 1);
        std::memcpy(value, begin, copied);
        value[copied] = '\0';
    }
    return static_cast<int>(valueLength);
}

}  // namespace vantor
