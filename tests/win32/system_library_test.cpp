// Libraries planted beside a program: a version.dll in the folder a setup executable
// runs from (a downloads folder) is never loaded, neither by the stub's own loads nor
// by a later load by bare name once the search is restricted to the system folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "runtime/file.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "win32/helper_program.h"

namespace {

// Runs the program with its arguments and waits for it; its exit code, or -1.
int runProgram(const std::string& commandLine, const std::string& folder) {
  std::string line = commandLine;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info))
    return -1;
  WaitForSingleObject(info.hProcess, 60000);
  DWORD code = DWORD(-1);
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return int(code);
}

TEST(Win32SystemLibrary, APlantedLibraryBesideTheProgramIsNeverLoaded) {
  qvtest::ScratchFolder dir;
  ASSERT_TRUE(CopyFileA(qvtest::helperProgram("qvloads.exe").c_str(), (dir / "qvloads.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(qvtest::helperProgram("planted\\version.dll").c_str(), (dir / "version.dll").c_str(), FALSE));
  std::string versioned = qvtest::helperProgram("qvver_full.dll");
  ASSERT_EQ(runProgram("\"" + (dir / "qvloads.exe") + "\" \"" + versioned + "\" \"" + (dir / "result.txt") + "\"",
                       dir.path()),
            0);
  std::string result = qvtest::readText(dir / "result.txt");
  EXPECT_FALSE(qv::fileExists(dir / "planted-library-loaded.txt")) << result;
  // The real library answered: the summary holds the file's version.
  EXPECT_NE(result.find("summary=4.3.2.1|"), std::string::npos) << result;
  EXPECT_EQ(result.find(dir.path()), std::string::npos) << result;
  EXPECT_NE(result.find("bare=C:\\"), std::string::npos) << result;
}

}  // namespace
