// The socket client's response header: read one byte at a time so that no
// body byte ends up in it, kept in a fixed buffer, looked up by header name.
#pragma once

#include <cstddef>

namespace vantor {

class ResponseHeaderBuffer {
public:
    static constexpr int kCapacity = 1024;

    // Stores one received byte. Returns true when the header is complete: the
    // byte ended CR LF CR LF, or the buffer is now full (the rest is cut off).
    bool Add(char byte);

    const char* data() const { return m_bytes; }
    int length() const { return m_length; }

private:
    char m_bytes[kCapacity] = {};
    int m_length = 0;
};

// Looks name up in header[0, length): the first occurrence anywhere, compared
// case-sensitively. The value begins two bytes after the name (its ": " is
// assumed, not checked) and ends before the next CR LF; it is copied into value,
// cut to valueSize - 1 bytes and NUL-terminated. Returns the length of the value
// found (which may exceed what was copied); -1 when header is null, length is 0
// or less, name is empty or does not occur (value is then left untouched), or
// no CR LF follows the name (value is then empty).
int LookUpHeaderValue(const char* header, int length, const char* name, char* value, size_t valueSize);

}  // namespace vantor
