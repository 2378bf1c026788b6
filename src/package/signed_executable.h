// A signed executable: signing appends a certificate table at the end of the file and
// records it in the PE header's security directory, so a package appended before the
// signature no longer ends the file.
#pragma once

#include <cstdint>

#include "runtime/file.h"

namespace qv {

// Where the package of a file ends. The file's end when the trailer's magic lies there
// (an unsigned file is read as ever) or when the file is no PE whose security
// directory ends the file; otherwise where the certificate table begins, less the zero
// bytes (up to 7) a signer puts before it to align it, provided the trailer's magic
// lies right before.
int64_t findPackageEnd(File& file, int64_t fileSize);

}  // namespace qv
