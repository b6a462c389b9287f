// The text of the socket client's GET request, composed into its fixed buffer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantor {

// The request buffer's size, terminating zero included.
constexpr size_t kHttpRequestBufferSize = 1024;

struct GetRequestFields {
    const char* host = "";            // with ":port" when the URL had one
    const char* path = "/";
    const char* cookie = nullptr;     // no Cookie line when null
    const char* referer = nullptr;    // no Referer line when null
    int32_t rangeFrom = 0;            // a Range line only when greater than 0
    int32_t rangeTo = 0;              // written only when greater than rangeFrom
};

// Writes the request lines (request line, Host, Referer, Accept, User-Agent,
// Connection, Cookie, Range, blank line; header names without a blank after the
// colon) into buffer, NUL-terminated. Returns the request's length, or -1 when
// it would not fit in bufferSize bytes with its terminating zero or a field is
// null where text is required, in which case buffer holds an empty text:
// a request is never cut short and never written past the buffer.
int ComposeGetRequest(const GetRequestFields& fields, char* buffer, size_t bufferSize);

}  // namespace vantor
