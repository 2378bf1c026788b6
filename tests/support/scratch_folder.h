// A fresh, empty folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

namespace qvtest {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // The folder with a trailing backslash, in the stub's path convention.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Removes a folder and everything below it, links removed without being followed
// (the product's own removal, so tests clean up as the stub does).
void removeTree(const std::string& folder);

}  // namespace qvtest
