// Task lines from any bytes, run through the task list with the system effects
// recorded, and the same bytes as a script file's lines. Each input line becomes one
// Task line of a setup description in a private folder. Lines of the kinds that
// create folders or write INI files at paths the line names (1, 5 and 8) are left
// out, so that the fuzzer writes nothing outside its folder.
//
// Checked: no more records than tasks, each beginning with the kind of a task that
// records; a link record names the link handed on; script lines come out with
// CR LF after each and no other line break, and their text unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "install/user_tasks.h"
#include "install/user_tasks_line.h"
#include "runtime/file.h"
#include "system/script_file.h"
#include "system/special_folders.h"

namespace {

using qvfuzz::check;

class FixedFolders : public qv::FolderLookup {
 public:
  std::string getSpecialFolder(int code) override {
    return code == qv::folder_code::kPureBasic ? std::string() : "C:\\F" + std::to_string(-code) + "\\";
  }
};

class CountingActions : public qv::UserTaskActions {
 public:
  void createShortcut(const std::string&, const std::string& linkFile, const std::string&, const std::string&,
                      const std::string&, int32_t) override {
    links.push_back(linkFile);
  }
  void createInternetShortcut(const std::string&, const std::string& linkFile, const std::string&,
                              int32_t) override {
    links.push_back(linkFile);
  }
  void copyFileChecked(const std::string&, const std::string&) override { ++calls; }
  void writeRegistryString(qv::RegistryRoot, const std::string&, const std::string&, const std::string&) override {
    ++calls;
  }
  void runProgram(const std::string&, const std::string&, const std::string&) override { ++calls; }
  bool confirmAssociation(const std::string& extension) override { return extension.size() % 2 == 0; }
  void associateExtension(const std::string&, const std::string&, const std::string&, const std::string&) override {
    ++calls;
  }
  std::vector<std::string> links;
  int calls = 0;
};

const std::string& workFolder() {
  static const std::string folder = qvfuzz::scratchFolder("tasks-fuzz") + "\\";
  return folder;
}

bool recordsKind(const std::string& record) {
  // Kind 9 records a program it copies outside the program folder as a copied file (5).
  for (const char* kind : {"0|", "2|", "3|", "4|", "5|", "6|", "9|", "10|"}) {
    if (record.compare(0, std::char_traits<char>::length(kind), kind) == 0) return true;
  }
  return false;
}

void checkScriptLines(std::string_view bytes) {
  std::string text;
  qv::appendScriptLines(text, bytes);
  std::string plain, kept;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      check(i + 1 < text.size() && text[i + 1] == '\n');
      ++i;
      continue;
    }
    check(text[i] != '\n');
    plain.push_back(text[i]);
  }
  for (char c : bytes) {
    if (c != '\r' && c != '\n') kept.push_back(c);
  }
  check(plain == kept);
  check(bytes.empty() || (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  checkScriptLines(input);

  std::vector<std::string> lines;
  for (size_t start = 0; start <= input.size() && lines.size() < 64;) {
    size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    std::string line(input.substr(start, end - start));
    const int32_t kind = qv::TaskLine(line).kind();
    if (kind != 1 && kind != 5 && kind != 8 && line.find('\r') == std::string::npos) lines.push_back(line);
    start = end + 1;
  }
  std::string text = "[UserTask]\nNumber=" + std::to_string(lines.size()) + "\n";
  for (size_t i = 0; i < lines.size(); ++i) text += "Task" + std::to_string(i + 1) + "=" + lines[i] + "\n";
  qv::UserTaskValues values;
  values.setupDescriptionPath = workFolder() + "setup.ini";
  values.installFolder = "C:\\Program Files\\Fuzz\\";
  values.startMenuPath = "C:\\Menu\\Fuzz\\";
  values.tempFolder = workFolder();
  values.primaryLanguage = int(size % 512);
  check(qv::writeWholeFile(values.setupDescriptionPath, text.data(), text.size()));

  FixedFolders folders;
  CountingActions actions;
  qv::UndoList undo = qv::runUserTasks(values, folders, actions);
  check(undo.size() <= lines.size());
  size_t linkRecords = 0;
  for (const std::string& record : undo) {
    check(recordsKind(record));
    if (record[0] != '5' && record[0] != '6' && record[0] != '9' && record[1] == '|') {
      check(linkRecords < actions.links.size() && record.substr(2) == actions.links[linkRecords]);
      ++linkRecords;
    }
  }
  check(linkRecords == actions.links.size());
  return 0;
}
