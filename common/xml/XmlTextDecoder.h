// Decoding of element text: character references and the five named entities.
#pragma once

#include <cstddef>
#include <string>

namespace xml {

// Appends text[0, length) to out with "&#N;", "&#xH;" (values 1 to 255, each
// one byte) and "&lt;", "&amp;", "&gt;", "&apos;", "&quot;" replaced. Any other
// "&" is kept as written. "&", "#", ";" and digits are never trail bytes, so a
// byte-wise pass copies multibyte characters whole.
void AppendDecodedText(const char* text, size_t length, std::string& out);

}  // namespace xml
