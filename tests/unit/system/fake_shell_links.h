// A stand-in for the shell's link object: keeps every link it is asked to save.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "system/shortcuts.h"

namespace qvtest {

class FakeShellLinks : public qv::ShellLinks {
 public:
  int saveShellLink(const qv::ShortcutFields& fields) override {
    saved.push_back(fields);
    return failing.count(fields.linkFile) ? 0 : 1;
  }
  const qv::ShortcutFields* find(const std::string& linkFile) const {
    for (const qv::ShortcutFields& f : saved)
      if (f.linkFile == linkFile) return &f;
    return nullptr;
  }
  std::vector<qv::ShortcutFields> saved;
  std::set<std::string> failing;  // link files whose save fails
};

}  // namespace qvtest
