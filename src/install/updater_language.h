// The internet updater's language file: the package's ".upd" file of the chosen
// language, placed as install folder + "qvIUpd\qvIUpdater.lng". The setup never reads
// it; the updater program finds it there.
#pragma once

#include <string>
#include <vector>

namespace qv {

// Temporary folder + the language file name up to its first "." + ".upd".
std::string updaterLanguageSource(const std::string& tempFolder, const std::string& languageFileName);

// Install folder + "qvIUpd\qvIUpdater.lng".
std::string updaterLanguageFile(const std::string& installFolder);

// When the source exists: creates install folder + "qvIUpd\" (one level) when
// missing, and copies the source there, replacing an earlier file. Without a source
// nothing changes, nor without a temporary folder (empty path). Failures go
// unreported. True when the file was placed.
bool writeUpdaterLanguageFile(const std::string& tempFolder, const std::string& languageFileName,
                              const std::string& installFolder);

// Adds the updater's folder and file to `files`, as the uninstall log lists them
// (relative to the install folder).
void listUpdaterFiles(std::vector<std::string>& files);

}  // namespace qv
