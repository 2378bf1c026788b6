// Integers as key/value files hold them: decimal text (written by signedDecimalText).
#pragma once

#include <string_view>

namespace qv {

// Leading white space, an optional sign, then decimal digits up to the first other
// byte; no digits give 0. Values beyond the int range are clamped to its ends.
int parseKeyValueInteger(std::string_view text);

}  // namespace qv
