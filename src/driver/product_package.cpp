#include "driver/product_package.h"

#include "package/extract_folders.h"
#include "runtime/file.h"

namespace qv {

std::string productPackagePath(const std::string& stubPath, const std::string& tempFolder, bool split) {
  if (!split) return tempFolder.empty() ? std::string() : tempFolder + "setup.pck";
  size_t nameStart = stubPath.find_last_of("\\/");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  std::string path = stubPath;
  for (size_t at = path.find(".exe", nameStart); at != std::string::npos; at = path.find(".exe", at + 4))
    path.replace(at, 4, ".pkj");
  return path;
}

bool extractProductPackage(const std::string& packagePath, const std::string& installFolder,
                           const std::string& keptExtensions, ProgressProcedure progress, ExtractionHooks& hooks) {
  if (!folderExists(installFolder) && !ensureFolderPath(installFolder) && hooks.offerAdministratorLogon())
    ensureFolderPath(installFolder);
  Package package;
  bool extracted = openPackage(package, packagePath, std::move(progress)) &&
                   extractPackage(package, installFolder, keptExtensions, hooks);
  closePackage(package);
  return extracted;
}

}  // namespace qv
