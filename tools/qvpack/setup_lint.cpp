#include "setup_lint.h"

#include <algorithm>

#include "runtime/file.h"
#include "runtime/key_value_text.h"
#include "runtime/paths.h"
#include "runtime/text.h"
#include "texts/interface_texts.h"
#include "texts/language_choice.h"

namespace qvpack {
namespace {

struct KnownGroup {
  const char* name;
  std::vector<std::string> keys;
};

// The groups and keys the stub reads from setup.ini (Task1 and so on are checked apart).
const std::vector<KnownGroup>& setupGroups() {
  static const std::vector<KnownGroup> groups = {
      {"Settings", {"Language", "ProgExe", "Split", "DefaultDir", "NoCopyExt"}},
      {"Info", {"Titel", "Version", "GUID", "PrgSize", "PrgFlag", "Web", "Date", "Author", "EMail"}},
      {"Task", {"MutexString", "Desktop", "ProgParameter", "StartProg", "Reboot", "NoUninstall", "StartMenu",
                "ScriptFile"}},
      {"StartMenue", {"DefaultDir", "ProgLink", "Help", "URL", "Exe", "IUpdater", "Unistall"}},
      {"UserTask", {"BeforeSetup", "BeforeParam", "WhileSetup", "WhileParam", "AfterSetup", "AfterParam",
                    "Uninst1Prog", "Uninst1Param", "Uninst2Prog", "Uninst2Param", "Number"}},
  };
  return groups;
}

// The groups and keys of a language file, from the texts' table.
std::vector<KnownGroup> languageGroups() {
  std::vector<KnownGroup> groups;
  for (size_t i = 0; i < qv::kTextCount; ++i) {
    const qv::TextEntry entry = qv::textEntry(qv::TextId(i));
    if (groups.empty() || std::string(groups.back().name) != entry.group) groups.push_back({entry.group, {}});
    groups.back().keys.push_back(entry.key);
  }
  return groups;
}

size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      bool same = qv::upperCaseLetter(a[i - 1]) == qv::upperCaseLetter(b[j - 1]);
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// A file of key/value lines with the line each starts on.
struct ParsedFile {
  std::string shownName;
  std::string bytes;
  std::vector<qv::KeyValueLine> lines;
  std::string_view text;  // the bytes without a byte order mark

  int lineOf(const qv::KeyValueLine& line) const {
    int number = 1;
    const char* end = line.text.data();
    for (const char* p = text.data(); p < end && p < text.data() + text.size(); ++p) {
      if (*p == '\n' || *p == '\0' || (*p == '\r' && (p + 1 >= end || p[1] != '\n'))) ++number;
    }
    return number;
  }
};

bool readParsedFile(const std::string& path, const std::string& shownName, ParsedFile& file) {
  std::vector<uint8_t> bytes;
  if (!qv::readWholeFile(path, bytes)) return false;
  file.shownName = shownName;
  file.bytes.assign(bytes.begin(), bytes.end());
  file.text = file.bytes;
  qv::removeByteOrderMark(file.text);
  qv::parseKeyValueText(file.text, file.lines);
  return true;
}

class Lint {
 public:
  void add(bool error, const std::string& file, int line, const std::string& text) {
    findings.push_back({error, file, line, text});
  }

  // Unknown and repeated groups and keys, with the nearest known name.
  void checkNames(const ParsedFile& file, const std::vector<KnownGroup>& known, bool userTasks) {
    std::vector<std::string> groupNames, seen;
    for (const KnownGroup& group : known) groupNames.push_back(group.name);
    const KnownGroup* current = nullptr;
    bool inUnknown = false;
    for (const qv::KeyValueLine& line : file.lines) {
      const std::string text(line.text);
      if (line.kind == qv::KeyValueLineKind::Group) {
        current = nullptr;
        inUnknown = true;
        for (const KnownGroup& group : known)
          if (qv::equalsIgnoringCase(text, group.name)) current = &group, inUnknown = false;
        if (inUnknown) {
          std::string near = nearestName(text, groupNames);
          add(false, file.shownName, file.lineOf(line),
              "unknown group [" + text + "]" + (near.empty() ? "" : "; did you mean [" + near + "]?"));
        } else {
          for (const std::string& s : seen)
            if (qv::equalsIgnoringCase(s, text))
              add(false, file.shownName, file.lineOf(line), "group [" + text + "] again: only the first is read");
          seen.push_back(text);
        }
        continue;
      }
      if (line.kind != qv::KeyValueLineKind::Key || inUnknown) continue;
      if (!current) {
        add(false, file.shownName, file.lineOf(line), "key " + text + " before any group is not read");
        continue;
      }
      bool isTask = userTasks && std::string(current->name) == "UserTask" && text.size() > 4 &&
                    qv::equalsIgnoringCase(text.substr(0, 4), "Task") &&
                    std::all_of(text.begin() + 4, text.end(), [](char c) { return c >= '0' && c <= '9'; });
      bool knownKey = isTask;
      for (const std::string& key : current->keys) knownKey = knownKey || qv::equalsIgnoringCase(key, text);
      if (!knownKey) {
        std::string near = nearestName(text, current->keys);
        add(false, file.shownName, file.lineOf(line),
            "unknown key " + text + " in [" + current->name + "]" + (near.empty() ? "" : "; did you mean " + near + "?"));
      }
    }
  }

  std::vector<LintFinding> findings;
};

// The value of a key in a group, as the stub reads it (the first group of that name).
const qv::KeyValueLine* findKey(const ParsedFile& file, const char* group, const char* key) {
  bool inGroup = false, groupSeen = false;
  for (const qv::KeyValueLine& line : file.lines) {
    if (line.kind == qv::KeyValueLineKind::Group) {
      if (inGroup || groupSeen) inGroup = false;
      if (!groupSeen && qv::equalsIgnoringCase(line.text, group)) inGroup = groupSeen = true;
      continue;
    }
    if (inGroup && line.kind == qv::KeyValueLineKind::Key && qv::equalsIgnoringCase(line.text, key)) return &line;
  }
  return nullptr;
}

std::string valueOf(const qv::KeyValueLine* line) {
  return line ? std::string(qv::withoutBlanks(line->value)) : std::string();
}

// The task kinds and the fields (after the kind) each needs at the least.
int fieldsNeeded(int kind) {
  switch (kind) {
    case 0: case 1: case 2: case 3: case 4: return 2;  // name, target
    case 5: return 2;                                   // name, source
    case 6: return 3;                                   // root, key, value name
    case 7: return 0;
    case 8: return 3;                                   // file, group, key
    case 9: return 2;                                   // folder, file
    case 10: return 2;                                  // program, extension
    default: return -1;
  }
}

}  // namespace

std::string nearestName(const std::string& name, const std::vector<std::string>& known) {
  std::string best;
  size_t bestDistance = 3;
  for (const std::string& candidate : known) {
    size_t d = editDistance(name, candidate);
    if (d < bestDistance) best = candidate, bestDistance = d;
  }
  return best;
}

std::string formatLintFinding(const LintFinding& f) {
  return f.file + (f.line > 0 ? ":" + std::to_string(f.line) : std::string()) + (f.error ? ": error: " : ": warning: ") +
         f.text;
}

std::vector<LintFinding> lintSetup(const std::string& setupFolder, const std::string& productFolder, bool split) {
  Lint lint;
  const std::string setup = qv::withTrailingBackslash(setupFolder), product = qv::withTrailingBackslash(productFolder);
  // Files are named as the user gave their folder.
  const std::string shown = setupFolder.empty() || setupFolder.back() == '/' ? setupFolder : setupFolder + "/";
  const std::string iniName = shown + "setup.ini";
  ParsedFile ini;
  if (!readParsedFile(setup + "setup.ini", iniName, ini)) {
    lint.add(true, iniName, 0, "the setup folder holds no setup.ini");
    return lint.findings;
  }
  lint.checkNames(ini, setupGroups(), true);
  auto at = [&](const qv::KeyValueLine* line) { return line ? ini.lineOf(*line) : 0; };

  const qv::KeyValueLine* progExe = findKey(ini, "Settings", "ProgExe");
  if (valueOf(progExe).empty())
    lint.add(false, iniName, at(progExe), "no ProgExe in [Settings]: no program to start, test or link");
  else if (!qv::fileExists(product + valueOf(progExe)))
    lint.add(true, iniName, at(progExe), "ProgExe " + valueOf(progExe) + " is not in the product folder");
  if (!findKey(ini, "Info", "Titel"))
    lint.add(false, iniName, 0, "no Titel in [Info]: the installer is titled \"--- unkown ---\"");

  const qv::KeyValueLine* splitKey = findKey(ini, "Settings", "Split");
  const bool splitSet = (qv::readDecimal(valueOf(splitKey), false).wrapped() & 0xFF) != 0;
  if (split && !splitSet)
    lint.add(true, iniName, at(splitKey), "--split without Split=1 in [Settings]: the stub looks for setup.pck inside");
  if (!split && splitSet)
    lint.add(true, iniName, at(splitKey), "Split=1 without --split: the stub looks for a .pkj beside it");

  const qv::KeyValueLine* defaultDir = findKey(ini, "Settings", "DefaultDir");
  const std::string dir = valueOf(defaultDir);
  if (defaultDir && !dir.empty()) {
    std::string rest = dir;
    if (rest[0] == '%' && rest.find('%', 1) != std::string::npos) rest = rest.substr(rest.find('%', 1) + 1);
    const bool root = dir.size() <= 3 && dir.size() >= 2 && dir[1] == ':';
    if (root || std::string(qv::withoutBlanks(rest)).find_first_not_of("\\") == std::string::npos)
      lint.add(true, iniName, at(defaultDir),
               "DefaultDir " + dir + " installs into a shared folder: give the product a folder of its own");
  }

  const qv::KeyValueLine* language = findKey(ini, "Settings", "Language");
  const std::vector<KnownGroup> textGroups = languageGroups();
  for (const qv::LanguageEntry& entry : qv::parseLanguageList(valueOf(language))) {
    if (entry.fileName.empty()) continue;
    ParsedFile file;
    if (!readParsedFile(setup + entry.fileName, shown + entry.fileName, file)) {
      lint.add(true, iniName, at(language), "language file " + entry.fileName + " is not in the setup folder");
      continue;
    }
    lint.checkNames(file, textGroups, false);
  }

  for (const char* key : {"BeforeSetup", "WhileSetup", "AfterSetup"}) {
    const qv::KeyValueLine* task = findKey(ini, "UserTask", key);
    if (!valueOf(task).empty() && !qv::fileExists(setup + valueOf(task)))
      lint.add(true, iniName, at(task), std::string(key) + " " + valueOf(task) + " is not in the setup folder");
  }
  const qv::KeyValueLine* script = findKey(ini, "Task", "ScriptFile");
  if (!valueOf(script).empty()) {
    if (!qv::fileExists(setup + valueOf(script)))
      lint.add(true, iniName, at(script), "ScriptFile " + valueOf(script) + " is not in the setup folder");
    const std::string extension = qv::extensionOf(valueOf(script));
    if (!qv::equalsIgnoringCase(extension, "vbs") && !qv::equalsIgnoringCase(extension, "js"))
      lint.add(true, iniName, at(script), "ScriptFile " + valueOf(script) + " is neither .vbs nor .js: it is not run");
  }

  // The task lines of [UserTask] by number, in one pass; the stub counts them in 16 bits.
  const qv::KeyValueLine* number = findKey(ini, "UserTask", "Number");
  const int count = std::max(0, std::min(qv::readDecimal(valueOf(number), false).clamped(), 32767));
  std::vector<const qv::KeyValueLine*> tasks(size_t(count) + 1, nullptr);
  bool inUserTask = false, userTaskSeen = false;
  for (const qv::KeyValueLine& line : ini.lines) {
    const std::string text(line.text);
    if (line.kind == qv::KeyValueLineKind::Group) {
      inUserTask = !userTaskSeen && qv::equalsIgnoringCase(text, "UserTask");
      userTaskSeen = userTaskSeen || inUserTask;
      continue;
    }
    if (!inUserTask || line.kind != qv::KeyValueLineKind::Key || text.size() <= 4 || text.size() > 13 ||
        !qv::equalsIgnoringCase(text.substr(0, 4), "Task") || text.find_first_not_of("0123456789", 4) != std::string::npos)
      continue;
    const long long n = std::stoll(text.substr(4));
    if (n >= 1 && n <= count) {
      if (!tasks[size_t(n)]) tasks[size_t(n)] = &line;
    } else {
      lint.add(false, iniName, ini.lineOf(line), text + " lies beyond Number=" + std::to_string(count) + ": not run");
    }
  }
  int missing = 0;
  for (int i = 1; i <= count; ++i) {
    const std::string key = "Task" + std::to_string(i);
    const qv::KeyValueLine* task = tasks[size_t(i)];
    if (!task) {
      if (missing++ == 0) lint.add(false, iniName, at(number), "Number=" + std::to_string(count) + " but no " + key);
      continue;
    }
    const std::string line = valueOf(task);
    const int kind = int(qv::readDecimal(qv::fieldOf(line, '|', 1), false).wrapped());
    const int needed = fieldsNeeded(kind);
    const size_t fields = qv::countCharacter(line, '|');
    if (needed < 0)
      lint.add(true, iniName, at(task), key + ": no task has the kind " + std::string(qv::fieldOf(line, '|', 1)));
    else if (fields < size_t(needed) || (needed > 0 && qv::fieldOf(line, '|', 2).empty()))
      lint.add(true, iniName, at(task), key + ": kind " + std::to_string(kind) + " needs " +
                                             std::to_string(needed) + " fields after the kind");
    else if (kind == 5 && !qv::fileExists(setup + std::string(qv::fieldOf(line, '|', 3))))
      lint.add(true, iniName, at(task), key + ": the source " + std::string(qv::fieldOf(line, '|', 3)) +
                                             " is not in the setup folder");
  }
  if (missing > 1)
    lint.add(false, iniName, at(number), std::to_string(missing) + " task lines up to Number are missing in all");
  return lint.findings;
}

}  // namespace qvpack
