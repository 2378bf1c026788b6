// Integers as key/value files hold them: decimal text.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// Leading white space, an optional sign, then decimal digits up to the first other
// byte; no digits give 0. Values beyond the int range are clamped to its ends.
int parseKeyValueInteger(std::string_view text);

// Decimal text with a "-" for negative numbers and no padding.
std::string formatKeyValueInteger(int number);

}  // namespace qv
