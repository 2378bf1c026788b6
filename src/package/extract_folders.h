// Creating the folders that extraction writes into.
#pragma once

#include <string>

namespace qv {

// Creates every missing folder of the path, one level at a time: each prefix that
// ends with a backslash or slash. The last component is created only when the path
// ends with one. Failures are not reported (the files below then fail instead).
void ensureFolderChain(const std::string& path);

// Makes sure the folder exists, its last component included even without a trailing
// backslash. True when it exists afterwards. (Built on ensureFolderChain on every
// platform, so it needs no helper library on Windows.)
bool ensureFolderPath(const std::string& path);

}  // namespace qv
