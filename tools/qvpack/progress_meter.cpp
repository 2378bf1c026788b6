#include "progress_meter.h"

#include <cstdio>

#include "terminal.h"

namespace qvpack {

ProgressMeter::ProgressMeter(const std::string& what, int64_t total)
    : active_(isErrorTerminal()), what_(what), total_(total) {}

void ProgressMeter::advance(int64_t bytes, const std::string& name) {
  done_ += bytes;
  if (!active_) return;
  int permille = total_ > 0 ? int(done_ * 1000 / total_) : 1000;
  if (permille > 1000) permille = 1000;
  if (permille == shownPermille_) return;
  shownPermille_ = permille;
  // Cut and padded as ANSI, one byte a character, so that no character is split and
  // the line keeps its width however the console encodes it.
  std::string cut = name.size() > 40 ? "..." + name.substr(name.size() - 37) : name;
  std::string shown = convertAnsiForConsole(cut) + std::string(40 - cut.size(), ' ');
  std::fprintf(stderr, "\r%s %3d.%d%%  %s", what_.c_str(), permille / 10, permille % 10, shown.c_str());
  std::fflush(stderr);
}

void ProgressMeter::finish() {
  if (!active_ || shownPermille_ < 0) return;
  std::fprintf(stderr, "\r%*s\r", int(what_.size() + 50), "");
  std::fflush(stderr);
  shownPermille_ = -1;
}

}  // namespace qvpack
