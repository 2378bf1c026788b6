// Command-line options of the subcommands: positional arguments, options with a
// value ("-o file", "--level 6" or "--level=6") and flags; and their error messages.
#pragma once

#include <string>
#include <vector>

#include "builder/package_folder_source.h"
#include "commands.h"

namespace qvpack {

struct OptionShape {
  const char* name;  // "-o", "--level", ...
  bool takesValue;
};

class ParsedArguments {
 public:
  // False, with a message printed, on an unknown option or a missing value.
  bool parse(const char* command, const Arguments& args, const std::vector<OptionShape>& shapes);
  bool wantsHelp() const { return help_; }
  bool has(const std::string& name) const;
  std::string value(const std::string& name) const;
  const std::vector<std::string>& positional() const { return positional_; }
  // The --level value (default when absent); false with a message when it is no level.
  bool level(int& level) const;
  // The entries' fixed time: --mtime, else the environment's SOURCE_DATE_EPOCH, else
  // none (`given` false). False with a message when the text is no time.
  bool fixedTime(bool& given, qv::FileTime& time) const;

 private:
  const char* command_ = "";
  bool help_ = false;
  std::vector<std::pair<std::string, std::string>> options_;
  std::vector<std::string> positional_;
};

// Prints "qvpack <command>: message" to standard error; returns kExitUsage.
int usageError(const char* command, const std::string& message);
// Prints "qvpack: message" to standard error; returns kExitFailed.
int failure(const std::string& message);

// The message for the item a survey found without an ANSI name: its whole path as the
// host spells it, so the user can find and rename it.
std::string describeUnconvertedName(const qv::FolderTreeSurvey& survey);

}  // namespace qvpack
