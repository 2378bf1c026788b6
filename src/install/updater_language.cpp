#include "install/updater_language.h"

#include <vector>

#include "runtime/file.h"
#include "runtime/text.h"

namespace qv {
namespace {

constexpr char kUpdaterFolder[] = "qvIUpd";

}  // namespace

std::string updaterLanguageSource(const std::string& tempFolder, const std::string& languageFileName) {
  std::string source = tempFolder;
  source += textBefore(languageFileName, '.');
  return source += ".upd";
}

std::string updaterLanguageFile(const std::string& installFolder) {
  return installFolder + kUpdaterFolder + "\\qvIUpdater.lng";
}

bool writeUpdaterLanguageFile(const std::string& tempFolder, const std::string& languageFileName,
                              const std::string& installFolder) {
  // Without a temporary folder the name would be looked up in whatever folder is
  // current, and some unrelated file handed to the updater.
  if (tempFolder.empty()) return false;
  std::string source = updaterLanguageSource(tempFolder, languageFileName);
  if (!fileExists(source)) return false;
  std::string folder = installFolder + kUpdaterFolder;
  if (!folderExists(folder)) createFolder(folder);
  return copyFileReplacing(source, updaterLanguageFile(installFolder));
}

void listUpdaterFiles(std::vector<std::string>& files) {
  // Listed twice when the product carries them too, which the uninstaller takes as once.
  files.push_back("qvIUpd\\");
  files.push_back("qvIUpd\\qvIUpdater.lng");
}

}  // namespace qv
