// The check qvpack setup makes before it writes anything: setup.ini and the language
// files read as the stub reads them, and what they name looked up in the folders, with
// file and line for every finding, like a compiler's messages.
#pragma once

#include <string>
#include <vector>

namespace qvpack {

struct LintFinding {
  bool error = false;  // makes a broken installer; otherwise a warning
  std::string file;    // as shown to the user
  int line = 0;        // 0 when the finding is about the file as a whole
  std::string text;
};

// `split` says whether qvpack writes the product package beside the executable.
std::vector<LintFinding> lintSetup(const std::string& setupFolder, const std::string& productFolder, bool split);

// "file:line: error: text" (or warning).
std::string formatLintFinding(const LintFinding& finding);

// The known name nearest to `name` (at most two letters off, any case), or empty.
std::string nearestName(const std::string& name, const std::vector<std::string>& known);

}  // namespace qvpack
