// FILETIME values as text for listings.
#pragma once

#include <string>

#include "runtime/file.h"

namespace qvpack {

// "YYYY-MM-DD HH:MM:SS" in UTC; "-" for a zero time.
std::string formatFileTime(const qv::FileTime& time);

}  // namespace qvpack
