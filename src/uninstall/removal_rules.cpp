#include "uninstall/removal_rules.h"

#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace qv {
namespace {

// Each part between backslashes is a real name: not empty, ".", ".." or holding "/"
// or ":" (a stream or a second drive).
bool hasPlainParts(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (path.empty()) return false;
  for (size_t start = 0;;) {
    size_t end = path.find('\\', start);
    std::string_view part = path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (part.empty() || part == "." || part == ".." || part.find_first_of("/:") != std::string_view::npos)
      return false;
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The length of the root part: 3 for "C:\", the length of "\\server\share\" for a
// share, 1 for "\" (the root of the current drive), 0 for anything else.
size_t rootLength(const std::string& path) {
  if (path.size() >= 3 && isDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\') return 3;
  if (!path.empty() && path[0] == '\\' && (path.size() == 1 || path[1] != '\\')) return 1;
  if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
    size_t server = path.find('\\', 2);
    if (server == std::string::npos || server == 2) return 0;
    size_t share = path.find('\\', server + 1);
    if (share == server + 1) return 0;
    return share == std::string::npos ? path.size() : share + 1;
  }
  return 0;
}

}  // namespace

bool isPlainAbsolutePath(const std::string& path) {
  size_t root = rootLength(path);
  if (root == 0) return false;
  // A share's server and share names are parts like any other.
  if (root > 3 && !hasPlainParts(std::string_view(path).substr(2, root - 2))) return false;
  if (root >= path.size()) return true;
  return hasPlainParts(std::string_view(path).substr(root));
}

bool isPlainRelativePath(const std::string& path) {
  return !path.empty() && path[0] != '\\' && rootLength(path) == 0 && hasPlainParts(path);
}

bool isDriveRoot(const std::string& folder) {
  size_t root = rootLength(withTrailingBackslash(folder));
  return root != 0 && root == withTrailingBackslash(folder).size();
}

bool isSameFolder(const std::string& a, const std::string& b) {
  return equalsIgnoringCase(withoutTrailingBackslash(a), withoutTrailingBackslash(b));
}

bool isInsideFolder(const std::string& path, const std::string& folder) {
  const std::string prefix = withTrailingBackslash(folder);
  return prefix.size() > 0 && path.size() > prefix.size() &&
         equalsIgnoringCase(std::string_view(path).substr(0, prefix.size()), prefix) &&
         !withoutTrailingBackslash(path.substr(prefix.size())).empty();
}

bool isLinkFileName(const std::string& path) {
  const std::string extension = extensionOf(path);
  return equalsIgnoringCase(extension, "lnk") || equalsIgnoringCase(extension, "url");
}

SharedFolders::SharedFolders(FolderLookup& folders) {
  // Shell folder numbers beside the lookup's own codes: the start menus (11, 22), the
  // common desktop (25), documents (46) and application data (35), local application
  // data (28), the profile (40) and the 32-bit Program Files (42).
  const int kCodes[] = {folder_code::kDesktop,     folder_code::kPrograms,       folder_code::kDocuments,
                        folder_code::kStartup,     folder_code::kFonts,          folder_code::kCommonPrograms,
                        folder_code::kAppData,     folder_code::kCommonFiles,    folder_code::kSystem,
                        folder_code::kWindows,     folder_code::kQuickLaunch,    folder_code::kProgramFiles,
                        11, 22, 25, 28, 35, 40, 42, 46};
  for (int code : kCodes) {
    std::string folder = folders.getSpecialFolder(code);
    if (!folder.empty()) folders_.push_back(withTrailingBackslash(folder));
  }
}

bool SharedFolders::isProtected(const std::string& folder) const {
  if (!isPlainAbsolutePath(folder) || isDriveRoot(folder)) return true;
  for (const std::string& shared : folders_) {
    if (isSameFolder(folder, shared) || isInsideFolder(shared, folder)) return true;
  }
  return false;
}

int removeEmptyFolderChain(const std::string& folder, const SharedFolders& shared) {
  int removed = 0;
  for (std::string current = withTrailingBackslash(folder); !shared.isProtected(current);
       current = folderPartOf(withoutTrailingBackslash(current))) {
    if (!removeFolder(current)) break;
    ++removed;
  }
  return removed;
}

}  // namespace qv
