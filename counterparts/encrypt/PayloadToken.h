// The game token that PlaymoorEncrypt's ConvertPayload gives for a payload.
//
//   token = "PMT-" + upper-case hex of (each UTF-8 byte of the payload XOR 0x5A)
//
// The payload arrives as UTF-16 (a BSTR); it is encoded as UTF-8 first, a
// lone surrogate as U+FFFD (EF BF BD). The empty payload gives "PMT-". The
// token holds only [0-9A-F-PMT], so it passes a command line untouched, and it
// can be turned back into the payload (payload_token.py does both ways).
//
// The payload "FAIL-CONVERT" (exactly) has no token: ConvertPayload fails with
// E_FAIL for it, so that a caller's handling of a failing call can be tested.
#pragma once

#include <cstddef>
#include <string>

namespace playmoor {

constexpr char kTokenPrefix[] = "PMT-";
constexpr unsigned char kTokenXorKey = 0x5A;
constexpr char16_t kFailingPayload[] = u"FAIL-CONVERT";

std::string Utf16ToUtf8(const char16_t* units, std::size_t count);
std::string PayloadToken(const char16_t* units, std::size_t count);
bool IsFailingPayload(const char16_t* units, std::size_t count);

}  // namespace playmoor
