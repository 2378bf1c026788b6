// UTF-8 key/value documents hold single-byte text as UTF-8: every byte stands for the
// character of the same number. These convert between the two forms.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// Each byte of 0x80 or more becomes two bytes; bytes below 0x80 stay as they are.
std::string convertBytesToUtf8(std::string_view bytes);

// Each character becomes the byte of the same number. False (and `bytes` empty) when
// the text holds a character above 255 or is not well-formed UTF-8 (overlong forms
// count as malformed).
bool convertUtf8ToBytes(std::string_view utf8, std::string& bytes);

}  // namespace qv
