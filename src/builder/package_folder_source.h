// Adding a whole folder tree to a package: every file and folder below it, in name
// order, each folder's entry before its contents, times taken from the sources.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "builder/package_writer.h"

namespace qv {

// Told of each file before it is added, with its entry name and size.
using AddProgress = std::function<void(const std::string& name, int64_t size)>;

// The characters a Windows file name cannot hold, and the separators: a name with
// one of them cannot be stored as a package entry name.
bool isStorableFileName(const std::string& name);

// Adds the contents of folder (not the folder itself) below the entry name prefix
// (empty, or ending with a backslash). False at the first failure, with the
// writer's error telling what and where.
bool addFolderTree(PackageWriter& writer, const std::string& folder, const std::string& prefix,
                   const AddProgress& progress = nullptr);

// What a walk over a folder tree finds before anything is packed.
struct FolderTreeSurvey {
  int64_t bytes = 0;  // of the files below the folder, for progress totals
  // The first item whose host name has no ANSI form, which no entry name can hold:
  // the folder it is in (a file-layer path ending with a backslash) and its name as
  // the host spells it. Both empty when every name converts; the walk stops there.
  std::string unconvertedFolder;
  std::string unconvertedHostName;
};

FolderTreeSurvey surveyFolderTree(const std::string& folder);

}  // namespace qv
