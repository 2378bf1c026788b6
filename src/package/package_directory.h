// The unpacked package directory: an entry count and the entries, each a
// NUL-terminated name followed by eight 32-bit little-endian fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "package/package_reader.h"

namespace qv {

// Reads the entries of a directory of n bytes. False, with entries empty, when the
// count, a name or a field runs past the end, or a size is negative.
bool parsePackageDirectory(const uint8_t* bytes, size_t n, std::vector<PackageEntry>& entries);

// The unpacked directory for these entries.
std::vector<uint8_t> serializePackageDirectory(const std::vector<PackageEntry>& entries);

}  // namespace qv
