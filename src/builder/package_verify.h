// A full check of a package: every entry's data read in directory order, every
// block unpacked and its checksum checked, and the directory's own bookkeeping.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "package/package_reader.h"

namespace qv {

struct PackageProblem {
  std::string entryName;  // empty for the package as a whole
  std::string what;
};

// Told of a file entry's contents once they checked out: the stored bytes when it is
// stored raw, the unpacked ones otherwise. They last only for the call.
using EntryContentsProcedure = std::function<void(const PackageEntry& entry, const uint8_t* data, size_t n)>;

// Told of each entry with data once it was checked, sound or not.
using EntryProgressProcedure = std::function<void(const PackageEntry& entry)>;

// True when nothing is wrong. The package must have been opened with openPackage;
// `contents` (when given) is told of each entry with data whose data is sound, and
// `progress` (when given) of each entry with data.
bool verifyPackage(const Package& package, std::vector<PackageProblem>& problems,
                   const EntryContentsProcedure& contents = nullptr, const EntryProgressProcedure& progress = nullptr);

}  // namespace qv
