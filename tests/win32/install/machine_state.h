// Reading back what an installation left: registry strings, special folders, files
// and their times, the example's task log, and the removal of what a run made.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qvinstall {

// A REG_SZ value (the key's default for an empty name); `found` tells a missing one.
std::string registryString(HKEY root, const std::string& key, const std::string& name, bool* found = nullptr);
bool registryKeyExists(HKEY root, const std::string& key);
// Deletes the key with everything below it; a missing key is no failure.
void deleteRegistryTree(HKEY root, const std::string& key);

// A shell folder by CSIDL number, with a trailing backslash.
std::string shellFolder(int csidl);
// The system folder, with a trailing backslash.
std::string systemFolder();

// An environment variable; empty when unset.
std::string environment(const char* name);

std::string fileText(const std::string& path);
bool sameBytes(const std::string& a, const std::string& b);
// Last-write time as a FILETIME value; 0 when unreadable.
unsigned long long lastWriteTime(const std::string& path);

// Files below a folder, relative, with backslashes, in name order; folders end in "\".
std::vector<std::string> treeBelow(const std::string& folder);

// The lines of a text file without their line ends.
std::vector<std::string> textLines(const std::string& path);

// One line of the example's task log: arguments | program | working folder | InstallDir.
struct TaskRun {
  std::string arguments, program, workingFolder, installDir;
};
std::vector<TaskRun> taskRuns(const std::string& logPath);

// Removes a folder tree; a missing one is no failure.
void removeTree(const std::string& folder);

}  // namespace qvinstall
