// Standard Base64 with "=" padding, as the login form carries user name and password.
#pragma once

#include <cstddef>
#include <string>

namespace vantor {

std::string EncodeBase64(const unsigned char* bytes, size_t length);
inline std::string EncodeBase64(const std::string& bytes) {
    return EncodeBase64(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

}  // namespace vantor
