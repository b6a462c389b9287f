// Standard Base64 with "=" padding: the login form carries user name and
// password in it, and PEM key files hold their DER bytes in it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vantor {

std::string EncodeBase64(const unsigned char* bytes, size_t length);
inline std::string EncodeBase64(const std::string& bytes) {
    return EncodeBase64(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// Decodes text, passing over line breaks and blanks between the groups; false
// for any other character outside the alphabet, a group cut short, or padding
// anywhere but at the end.
bool DecodeBase64(const char* text, size_t length, std::vector<unsigned char>& bytes);

}  // namespace vantor
