#include "machine_state.h"

#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/scratch_folder.h"

namespace qvinstall {

std::string registryString(HKEY root, const std::string& key, const std::string& name, bool* found) {
  if (found) *found = false;
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return std::string();
  char data[4096] = {};
  DWORD size = sizeof(data) - 1, type = 0;
  LONG result = RegQueryValueExA(handle, name.empty() ? nullptr : name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::string();
  if (found) *found = true;
  return std::string(data);
}

bool registryKeyExists(HKEY root, const std::string& key) {
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void deleteRegistryTree(HKEY root, const std::string& key) {
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
  char name[512];
  for (;;) {
    DWORD n = sizeof(name);
    if (RegEnumKeyExA(handle, 0, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    deleteRegistryTree(handle, name);
  }
  RegCloseKey(handle);
  RegDeleteKeyA(root, key.c_str());
}

std::string shellFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return std::string();
  std::string folder = path;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

std::string systemFolder() {
  char path[MAX_PATH] = {};
  UINT n = GetSystemDirectoryA(path, MAX_PATH);
  std::string folder(path, n < MAX_PATH ? n : 0);
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

std::string environment(const char* name) {
  char value[4096] = {};
  DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
  return n > 0 && n < sizeof(value) ? std::string(value, n) : std::string();
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool sameBytes(const std::string& a, const std::string& b) {
  std::ifstream ia(a, std::ios::binary), ib(b, std::ios::binary);
  if (!ia || !ib) return false;
  return fileText(a) == fileText(b);
}

unsigned long long lastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

namespace {

void collectTree(const std::string& root, const std::string& relative, std::vector<std::string>& out) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((root + relative + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::vector<std::string> names;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    names.push_back((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? name + "\\" : name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    out.push_back(relative + name);
    if (name.back() == '\\') collectTree(root, relative + name, out);
  }
}

}  // namespace

std::vector<std::string> treeBelow(const std::string& folder) {
  std::vector<std::string> out;
  collectTree(folder.back() == '\\' ? folder : folder + "\\", "", out);
  return out;
}

std::vector<std::string> textLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream in(fileText(path));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<TaskRun> taskRuns(const std::string& logPath) {
  std::vector<TaskRun> runs;
  for (const std::string& line : textLines(logPath)) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
      size_t bar = line.find(" | ", start);
      fields.push_back(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
      if (bar == std::string::npos) break;
      start = bar + 3;
    }
    if (fields.size() != 4 || fields[3].compare(0, 11, "InstallDir=") != 0) continue;
    runs.push_back({fields[0], fields[1], fields[2], fields[3].substr(11)});
  }
  return runs;
}

void removeTree(const std::string& folder) { qvtest::removeTree(folder); }

}  // namespace qvinstall
