#include "arguments.h"

#include <cstdio>
#include <cstdlib>

#include "builder/package_writer.h"
#include "codec/jc_encode.h"
#include "terminal.h"
#include "time_text.h"

namespace qvpack {

bool ParsedArguments::parse(const char* command, const Arguments& args, const std::vector<OptionShape>& shapes) {
  command_ = command;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      help_ = true;
      continue;
    }
    if (a.size() < 2 || a[0] != '-') {
      positional_.push_back(a);
      continue;
    }
    std::string name = a, value;
    size_t equals = a.find('=');
    bool inlineValue = a.compare(0, 2, "--") == 0 && equals != std::string::npos;
    if (inlineValue) {
      name = a.substr(0, equals);
      value = a.substr(equals + 1);
    }
    const OptionShape* option = nullptr;
    for (const auto& s : shapes)
      if (name == s.name) option = &s;
    if (!option) {
      usageError(command, "unknown option " + convertAnsiForConsole(a) + " (see qvpack " + command + " --help)");
      return false;
    }
    if (option->takesValue && !inlineValue) {
      if (i + 1 >= args.size()) {
        usageError(command, "option " + name + " needs a value");
        return false;
      }
      value = args[++i];
    } else if (!option->takesValue && inlineValue) {
      usageError(command, "option " + name + " takes no value");
      return false;
    }
    options_.push_back({name, value});
  }
  return true;
}

bool ParsedArguments::has(const std::string& name) const {
  for (const auto& o : options_)
    if (o.first == name) return true;
  return false;
}

std::string ParsedArguments::value(const std::string& name) const {
  std::string found;
  for (const auto& o : options_)
    if (o.first == name) found = o.second;  // the last one counts
  return found;
}

bool ParsedArguments::level(int& level) const {
  level = qv::kPackLevelDefault;
  if (!has("--level")) return true;
  std::string v = value("--level");
  if (v.size() != 1 || v[0] < '0' || v[0] > '9') {
    usageError(command_,
               "--level takes a number from 0 (store only) to 9 (best), not \"" + convertAnsiForConsole(v) + "\"");
    return false;
  }
  level = v[0] - '0';
  return true;
}

bool ParsedArguments::fixedTime(bool& given, qv::FileTime& time) const {
  const char* environment = std::getenv("SOURCE_DATE_EPOCH");
  given = has("--mtime") || (environment && *environment);
  if (!given) return true;
  const std::string text = has("--mtime") ? value("--mtime") : std::string(environment);
  if (parseFixedTime(text, time)) return true;
  usageError(command_, std::string(has("--mtime") ? "--mtime" : "SOURCE_DATE_EPOCH") +
                           " takes seconds since 1970 or a time as 2020-01-01T00:00:00Z, not \"" +
                           convertAnsiForConsole(text) + "\"");
  return false;
}

int usageError(const char* command, const std::string& message) {
  std::fprintf(stderr, "qvpack %s: %s\n", command, message.c_str());
  return kExitUsage;
}

int failure(const std::string& message) {
  std::fprintf(stderr, "qvpack: %s\n", message.c_str());
  return kExitFailed;
}

std::string describeUnconvertedName(const qv::FolderTreeSurvey& survey) {
  return shownPath(survey.unconvertedFolder) + survey.unconvertedHostName +
         ": the name has characters outside Windows-1252, the code page of package entry names";
}

}  // namespace qvpack
