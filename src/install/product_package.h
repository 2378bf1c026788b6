// The product package: where it lies (setup.pck in the temporary folder, or a file of
// its own beside the setup executable) and its extraction into the install folder,
// which is made first when it does not exist yet.
#pragma once

#include <string>
#include <vector>

#include "package/extract.h"
#include "package/package_reader.h"

namespace qv {

// A split package lies beside the stub under the stub's name with every ".exe", in any
// letter case, replaced by ".pkj". Only the file name is rewritten: the package builder
// names it so, and a folder called "tools.exe" would otherwise send the stub looking in
// a folder that does not exist. A name without ".exe" gives no path (never the stub's). Without Split: tempFolder + "setup.pck",
// and no path at all without a temporary folder (not a setup.pck of the current folder).
std::string productPackagePath(const std::string& stubPath, const std::string& tempFolder, bool split);

enum class ProductExtraction {
  Whole,          // every entry was handled
  EntriesFailed,  // the package opened, but some entries failed (the others were extracted)
  NotOpened,      // no package at the path, or not one that can be read: nothing extracted
};

// Makes the install folder with every missing parent when it is no folder yet; when
// that fails, the hooks' administrator logon is offered and it is tried once more.
// Then opens the package, tells the hooks of it (the wizard sets its progress bar's
// range to the total size), and extracts it with the kept-extension list. To `placed`, when given, it appends the
// names of the entries now in the install folder, in package order, folders ending
// with a backslash: those written, kept files that exist, and those that failed over
// a file still there; not those that failed with nothing in their place (the install
// folder then ends with a backslash, as the runs give it).
ProductExtraction extractProductPackage(const std::string& packagePath, const std::string& installFolder,
                                        const std::string& keptExtensions, ExtractionHooks& hooks,
                                        std::vector<std::string>* placed = nullptr);

}  // namespace qv
