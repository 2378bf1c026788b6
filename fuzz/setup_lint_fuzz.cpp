// qvpack setup's check of a setup folder: any bytes as setup.ini and as its language
// file. Every finding names a file, lines are counted within the file, and nothing is
// read outside a buffer (the sanitizers watch that).
#include <cstdint>
#include <cstdlib>
#include <string>

#include <stdlib.h>

#include "fuzz_support.h"
#include "runtime/file.h"
#include "setup_lint.h"

namespace {

using qvfuzz::check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string dir = qvfuzz::scratchFolder("setup-lint-fuzz") + "/";
  check(qv::writeWholeFile(dir + "setup.ini", data, size));
  check(qv::writeWholeFile(dir + "english.lng", data, size));
  size_t lines = 1;
  for (size_t i = 0; i < size; ++i) lines += data[i] == '\n' || data[i] == '\r' || data[i] == 0;
  for (bool split : {false, true}) {
    for (const qvpack::LintFinding& finding : qvpack::lintSetup(dir, dir, split)) {
      check(!finding.file.empty() && !finding.text.empty());
      check(finding.line >= 0 && size_t(finding.line) <= lines);
      check(!qvpack::formatLintFinding(finding).empty());
    }
  }
  return 0;
}
