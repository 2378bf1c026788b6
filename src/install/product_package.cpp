#include "install/product_package.h"

#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace qv {

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
                                        const std::string& keptExtensions, ProgressProcedure progress,
                                        ExtractionHooks& hooks, const std::function<void(const Package&)>& opened) {
  if (!folderExists(installFolder) && !ensureFolderPath(installFolder) && hooks.offerAdministratorLogon())
    ensureFolderPath(installFolder);
  Package package;
  ProductExtraction result = ProductExtraction::NotOpened;
  if (openPackage(package, packagePath, std::move(progress))) {
    if (opened) opened(package);
    result = extractPackage(package, installFolder, keptExtensions, hooks) ? ProductExtraction::Whole
                                                                            : ProductExtraction::EntriesFailed;
  }
  return result;
}

}  // namespace qv
