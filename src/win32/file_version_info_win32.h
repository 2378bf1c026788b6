// Version data of a file on Windows, through Version.dll loaded for the one call and
// its functions looked up by name.
#pragma once

#include <string>

namespace qv {

// "FileVersion|FileDescription|language name" of the file's first translation, each
// part empty when it cannot be read; empty when the path is no file of one byte or
// more, Version.dll cannot be loaded, or the file holds no version data.
std::string getFileVersionSummary(const std::string& path);

}  // namespace qv
