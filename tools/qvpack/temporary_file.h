// A file of qvpack's own in the system's temporary folder, removed with the object on
// every way out of the command that made it.
#pragma once

#include <string>

#include "runtime/file.h"

namespace qvpack {

class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() {
    if (!path_.empty()) qv::removeFile(path_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Makes the file, empty, under a name no other file has. False when the temporary
  // folder cannot be written, or its path has no ANSI form for the file layer.
  bool create();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace qvpack
