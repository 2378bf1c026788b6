// The ANSI code page of package entry names and of every path in the core,
// Windows-1252, against UTF-8, the way POSIX hosts spell file names. Bytes below 0x80
// and from 0xA0 on stand for the character of the same number; 0x80 to 0x9F are the
// code page's own (0x80 is U+20AC, 0x8A U+0160, ...), except 0x81, 0x8D, 0x8F, 0x90
// and 0x9D, which it leaves unassigned.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// False when the text holds an unassigned byte. Each of those then stands as U+FFFD
// in `utf8`, so that the result still serves for messages.
bool convertWindows1252ToUtf8(std::string_view ansi, std::string& utf8);

// False when the text is not well-formed UTF-8 (overlong forms, surrogates and
// characters beyond U+10FFFF count as malformed) or holds a character the code page
// lacks. `ansi` then holds "?" for each such character or stray byte: a stand-in for
// messages, never a name to use.
bool convertUtf8ToWindows1252(std::string_view utf8, std::string& ansi);

}  // namespace qv
