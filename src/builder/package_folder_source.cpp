#include "builder/package_folder_source.h"

#include <vector>

#include "runtime/file.h"
#include "runtime/paths.h"

namespace qv {

bool isStorableFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (unsigned char c : name) {
    if (c < 32) return false;
    switch (c) {
      case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
        return false;
      default:
        break;
    }
  }
  return true;
}

bool addFolderTree(PackageWriter& writer, const std::string& folder, const std::string& prefix,
                   const AddProgress& progress) {
  std::string base = withTrailingBackslash(folder);
  std::vector<FolderItem> items;
  if (!listFolder(base, items)) return writer.fail(folder + ": cannot be read as a folder");
  for (const FolderItem& item : items) {
    std::string source = base + item.name;
    std::string name = prefix + item.name;
    // A survey names such an item as the host spells it; this is the last guard.
    if (!item.nameConverts)
      return writer.fail(source + ": a name without a Windows-1252 form (shown with \"?\" for what it lacks)");
    if (!isStorableFileName(item.name)) return writer.fail(source + ": a name that a package entry cannot hold");
    if (item.isFolder) {
      FileTime creation, lastWrite;
      readFileTimes(source, creation, lastWrite);
      if (!writer.addFolder(name + "\\", creation, lastWrite)) return false;
      if (!addFolderTree(writer, source, name + "\\", progress)) return false;
    } else {
      if (progress) progress(name, fileSize(source));
      if (!writer.addFileFrom(name, source)) return false;
    }
  }
  return true;
}

namespace {

// False once an unconverted name is found.
bool surveyFolder(const std::string& folder, FolderTreeSurvey& survey) {
  std::string base = withTrailingBackslash(folder);
  std::vector<FolderItem> items;
  if (!listFolder(base, items)) return true;
  for (const FolderItem& item : items) {
    if (!item.nameConverts) {
      survey.unconvertedFolder = base;
      survey.unconvertedHostName = item.hostName;
      return false;
    }
    if (item.isFolder) {
      if (!surveyFolder(base + item.name, survey)) return false;
    } else if (int64_t n = fileSize(base + item.name); n > 0) {
      survey.bytes += n;
    }
  }
  return true;
}

}  // namespace

FolderTreeSurvey surveyFolderTree(const std::string& folder) {
  FolderTreeSurvey survey;
  surveyFolder(folder, survey);
  return survey;
}

}  // namespace qv
