// FILETIME values as text: for listings, and from the command line.
#pragma once

#include <string>

#include "runtime/file.h"

namespace qvpack {

// "YYYY-MM-DD HH:MM:SS" in UTC; "-" for a zero time.
std::string formatFileTime(const qv::FileTime& time);

// A time as --mtime and SOURCE_DATE_EPOCH give it: seconds since 1970-01-01 UTC, or
// "YYYY-MM-DDTHH:MM:SSZ" (UTC). False for anything else or a time before 1970 or
// after 9999.
bool parseFixedTime(const std::string& text, qv::FileTime& time);

}  // namespace qvpack
