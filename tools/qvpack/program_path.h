// The running qvpack's own file, to find the stub installed or built with it.
#pragma once

#include <string>

namespace qvpack {

// Empty when the system does not tell it.
std::string ownProgramPath();

}  // namespace qvpack
