// Values of the setup description and the registry from any bytes: the language list
// and the choice from it, the default folder name of DefaultDir, the folder of an
// "open" command, and placeholder expansion. The input is cut at its first two NUL
// bytes into a list, a path and a command.
//
// Checked: every result is made of the input's own text (or the lookup's folders);
// the choice is one of the list's file names; the chooser sees one item per entry;
// expansion of a text without "%" and with the flag clear changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "run/install_settings.h"
#include "setup/setup_description.h"
#include "system/placeholders.h"
#include "system/special_folders.h"
#include "texts/language_choice.h"

namespace {

using qvfuzz::check;

class AnyChooser : public qv::LanguageChooser {
 public:
  explicit AnyChooser(size_t pick) : pick_(pick) {}
  bool chooseLanguage(const std::vector<std::string>& shown, size_t& chosen) override {
    items = shown;
    chosen = pick_;  // possibly out of range
    return pick_ % 3 != 0;
  }
  std::vector<std::string> items;

 private:
  size_t pick_;
};

class FixedFolders : public qv::FolderLookup {
 public:
  std::string getSpecialFolder(int code) override {
    return code == qv::folder_code::kPureBasic ? std::string() : "C:\\F" + std::to_string(-code) + "\\";
  }
};

std::string_view cut(std::string_view& rest) {
  size_t end = rest.find('\0');
  std::string_view part = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::string list(cut(rest));
  std::string path(cut(rest));
  std::string command(rest);

  std::vector<qv::LanguageEntry> entries = qv::parseLanguageList(list);
  AnyChooser chooser(size);
  qv::LanguageChoice choice = qv::chooseLanguageFile(list, uint16_t(size * 37), chooser);
  if (!choice.fileName.empty()) {
    bool listed = false;
    for (const qv::LanguageEntry& e : entries) listed |= e.fileName == choice.fileName;
    check(listed);
    check(list.find(choice.fileName) != std::string::npos);
  }
  check(chooser.items.empty() || chooser.items.size() == entries.size());
  check(qv::languageBaseName(choice.fileName).size() <= choice.fileName.size());

  std::string name = qv::defaultFolderNameOf(path);
  check(path.find(name) != std::string::npos);
  check(name.find('\\') == std::string::npos);

  std::string folder = qv::folderOfOpenCommand(command);
  check(folder.empty() || command.find(folder) != std::string::npos);

  FixedFolders folders;
  std::string expanded = qv::expandPlaceholders(path, path.size() % 2 == 0, folders);
  if (path.find('%') == std::string::npos && path.size() % 2 == 1) check(expanded == path);
  qv::hasExeExtension(path);
  return 0;
}
