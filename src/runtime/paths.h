// Paths as the stub uses them: 8-bit ANSI text with backslashes between folders (a
// slash is taken as a separator too), every folder value ending with a backslash.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// The path with a backslash appended when it does not end with one ("" gives "\").
std::string withTrailingBackslash(const std::string& path);
// The path without its trailing backslashes.
std::string withoutTrailingBackslash(std::string path);

// The path up to and including its last backslash or slash, or empty.
std::string folderPartOf(const std::string& path);

// The part after the last backslash or slash (the whole path without one).
std::string fileNamePartOf(const std::string& path);

// A program's file name as a command line or an association names it: the file
// name part without a leading double quote, ending before the next double quote.
std::string programFileName(std::string_view path);

// The characters after the last "." of the path, when that "." comes after the last
// backslash or slash; otherwise empty.
std::string extensionOf(const std::string& path);

// Creates every missing folder of the path, one level at a time: each prefix that
// ends with a backslash or slash. The last component is created only when the path
// ends with one. Failures are not reported (the files below then fail instead).
void ensureFolderChain(const std::string& path);

// Makes sure the folder exists, its last component included even without a trailing
// backslash. True when it exists afterwards. (Built on ensureFolderChain on every
// platform, so it needs no helper library on Windows.)
bool ensureFolderPath(const std::string& path);

}  // namespace qv
