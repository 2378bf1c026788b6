// A full check of a package: every entry's data read in directory order, every
// block unpacked and its checksum checked, and the directory's own bookkeeping.
#pragma once

#include <string>
#include <vector>

#include "package/package_reader.h"

namespace qv {

struct PackageProblem {
  std::string entryName;  // empty for the package as a whole
  std::string what;
};

// True when nothing is wrong. The package must have been opened with openPackage;
// its progress procedure is told of each entry with data.
bool verifyPackage(const Package& package, std::vector<PackageProblem>& problems);

}  // namespace qv
