#include "install/updater_language.h"

#include <vector>

#include "runtime/file.h"
#include "runtime/text.h"

namespace qv {
namespace {

constexpr char kUpdaterFolder[] = "qvIUpd";

// Copies in pieces, so a large file needs no buffer of its size; a short write
// leaves a file that is reported as not placed.
bool copyFileReplacing(const std::string& source, const std::string& destination) {
  File in, out;
  if (!in.open(source, File::Mode::Read) || !out.open(destination, File::Mode::Replace)) return false;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    size_t got = in.read(buffer.data(), buffer.size());
    if (got == 0) break;
    if (out.write(buffer.data(), got) != got) return false;
  }
  return true;
}

}  // namespace

std::string updaterLanguageSource(const std::string& tempFolder, const std::string& languageFileName) {
  return tempFolder + std::string(textBefore(languageFileName, '.')) + ".upd";
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
