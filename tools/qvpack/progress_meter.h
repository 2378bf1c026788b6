// A one-line progress display on standard error, for long work on a terminal; it
// prints nothing when standard error is no terminal.
#pragma once

#include <cstdint>
#include <string>

namespace qvpack {

class ProgressMeter {
 public:
  ProgressMeter(const std::string& what, int64_t total);
  ~ProgressMeter() { finish(); }
  ProgressMeter(const ProgressMeter&) = delete;
  ProgressMeter& operator=(const ProgressMeter&) = delete;

  // bytes more are done; name (ANSI) is the item at hand.
  void advance(int64_t bytes, const std::string& name);
  // Clears the line.
  void finish();

 private:
  bool active_;
  std::string what_;
  int64_t total_;
  int64_t done_ = 0;
  int shownPermille_ = -1;
};

}  // namespace qvpack
