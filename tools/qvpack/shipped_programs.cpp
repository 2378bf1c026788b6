#include "shipped_programs.h"

#include <vector>

#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace qvpack {

bool productHasOwnUninstaller(const std::string& productFolder) {
  std::vector<qv::FolderItem> items;
  if (!qv::listFolder(qv::withTrailingBackslash(productFolder), items)) return false;
  for (const qv::FolderItem& item : items)
    if (item.nameConverts && qv::equalsIgnoringCase(item.name, kUninstallerEntryName)) return true;
  return false;
}

std::string findUninstallerBesideStub(const std::string& stubPath) {
  const std::string stubFolder = qv::folderPartOf(stubPath);
  for (const std::string& candidate : {stubFolder + kUninstallerProgramName,
                                       stubFolder + "..\\uninstaller\\" + kUninstallerProgramName})
    if (qv::fileExists(candidate)) return candidate;
  return std::string();
}

std::string findStubForProgram(const std::string& qvpackPath) {
  if (qvpackPath.empty()) return std::string();
  const std::string folder = qv::folderPartOf(qvpackPath);
  for (const std::string& candidate : {folder + "..\\share\\quarvel-setup\\" + kStubProgramName,
                                       folder + kStubProgramName,
                                       folder + "..\\..\\..\\win32\\src\\stub\\" + kStubProgramName})
    if (qv::fileExists(candidate)) return candidate;
  return std::string();
}

}  // namespace qvpack
