#include "install/product_package.h"

#include "package/extract_names.h"

#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace qv {
namespace {

// What of the package is in the install folder now, by looking: an entry that failed
// over a file an earlier installation left is the product's all the same, and one
// that failed without is not there. Unsafe names were never written and are not
// looked up outside the folder; a folder entry is one extraction makes only when its
// name ends with a backslash.
void listPlacedEntries(const Package& package, const std::string& installFolder, std::vector<std::string>& placed) {
  for (const PackageEntry& entry : package.entries()) {
    const std::string path = installFolder + entry.name;
    if (isSafeEntryName(entry.name) &&
        (entry.isFolder() ? entry.name.back() == '\\' && folderExists(path) : entry.isFile() && fileExists(path)))
      placed.push_back(std::string(entry.name));  // copied, then moved: one way in for name lists
  }
}

}  // namespace

std::string productPackagePath(const std::string& stubPath, const std::string& tempFolder, bool split) {
  if (!split) return tempFolder.empty() ? std::string() : tempFolder + "setup.pck";
  size_t nameStart = stubPath.find_last_of("\\/");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  std::string path = stubPath;
  // Whatever the case: CDs and FAT copies often hold SETUP.EXE beside SETUP.PKJ, and the
  // file system finds the package under either case.
  for (size_t at = nameStart; at + 4 <= path.size(); ++at) {
    if (path[at] == '.' && equalsIgnoringCase(std::string_view(path).substr(at + 1, 3), "exe")) {
      path.replace(at, 4, ".pkj");
      at += 3;
    }
  }
  // A stub whose name holds no ".exe" has no package beside it: never read itself as one.
  return path == stubPath ? std::string() : path;
}

ProductExtraction extractProductPackage(const std::string& packagePath, const std::string& installFolder,
                                        const std::string& keptExtensions, ExtractionHooks& hooks,
                                        std::vector<std::string>* placed) {
  if (!folderExists(installFolder) && !ensureFolderPath(installFolder) && hooks.offerAdministratorLogon())
    ensureFolderPath(installFolder);
  Package package;
  ProductExtraction result = ProductExtraction::NotOpened;
  if (openPackage(package, packagePath)) {
    hooks.onPackageOpened(package);
    result = extractPackage(package, installFolder, keptExtensions, hooks) ? ProductExtraction::Whole
                                                                            : ProductExtraction::EntriesFailed;
    if (placed) listPlacedEntries(package, installFolder, *placed);
  }
  return result;
}

}  // namespace qv
