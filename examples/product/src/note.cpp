// note.exe: the example setup's task program. Every run appends one line to
// quarvel-hello-tasks.log in the setup executable's folder (SetupExeDir; without it in
// the temporary folder), so the before and after tasks and the programs that user
// tasks run leave a trace:
//   <arguments> | <own path> | <working folder> | InstallDir=<value>
// It ends with exit code 0, so the setup goes on after it. The product carries it too,
// as tools\note.exe, for the uninstaller's before and after programs.
#include <windows.h>

#include <string>

namespace {

std::string environmentValue(const char* name) {
  char value[MAX_PATH * 2] = {};
  DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

std::string ownPath() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n < MAX_PATH ? n : 0);
}

std::string workingFolder() {
  char path[MAX_PATH] = {};
  DWORD n = GetCurrentDirectoryA(MAX_PATH, path);
  return std::string(path, n < MAX_PATH ? n : 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  // As the uninstaller's before program (working folder: the install folder) it removes
  // what the setup's script wrote there: the uninstaller knows only the setup's files.
  if (commandLine && std::string(commandLine) == "before-uninstall") DeleteFileA("script-constants.txt");
  std::string folder = environmentValue("SetupExeDir");
  if (folder.empty()) {
    // Run by the uninstaller: not beside itself, in the folder about to be removed.
    char temp[MAX_PATH] = {};
    DWORD n = GetTempPathA(MAX_PATH, temp);
    folder.assign(temp, n < MAX_PATH ? n : 0);
  }
  std::string line = std::string(commandLine && *commandLine ? commandLine : "(no arguments)") + " | " + ownPath() +
                     " | " + workingFolder() + " | InstallDir=" + environmentValue("InstallDir") + "\r\n";
  std::string log = folder + "quarvel-hello-tasks.log";
  // Two tasks never run at once, but the setup may be run twice side by side.
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, line.data(), DWORD(line.size()), &written, nullptr);
      CloseHandle(file);
      return 0;
    }
    Sleep(20);
  }
  return 0;
}
