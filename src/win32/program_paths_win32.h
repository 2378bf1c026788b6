// The running program's own file and the user's temporary folder, as both programs
// find them.
#pragma once

#include <string>

namespace qv {

// The program's file; empty when it cannot be read.
std::string moduleFilePath();
// The temporary folder in its long form (with trailing backslash), the short form where
// the long one is not to be had.
std::string temporaryFolderPath();
// The command line after the program's name.
std::string programArguments();

}  // namespace qv
