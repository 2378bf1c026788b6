// Version data of a file on Windows, through Version.dll loaded for the one call and
// its functions looked up by name.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// "FileVersion|FileDescription|language name" of the file's first translation, each
// part empty when it cannot be read; empty when the path is no file of one byte or
// more, Version.dll cannot be loaded, or the file holds no version data.
std::string getFileVersionSummary(const std::string& path);

// The file version of the fixed version data (VS_FIXEDFILEINFO), major to revision in
// 16 bits each from the top. False without version data.
bool readFileVersionNumber(const std::string& path, uint64_t& version);

}  // namespace qv
