// Carries out the steps of a driver script on the programs it starts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "script.h"

namespace qv {

class StepRunner {
 public:
  // Relative paths in steps (screenshots) are taken from `scriptFolder`, which ends
  // with its separator (or is empty for the current folder).
  explicit StepRunner(const std::string& scriptFolder);
  ~StepRunner();
  StepRunner(const StepRunner&) = delete;
  StepRunner& operator=(const StepRunner&) = delete;

  // Runs one step. On failure tells what the step expected and what it found.
  bool runStep(const ScriptStep& step, std::string& expected, std::string& found);

  // The window the steps act on (null before the first window step).
  HWND currentWindow() const { return window_; }

  // Ends the started programs that still run, and the programs they started;
  // returns how many processes were ended.
  int endStartedPrograms();

  // A path of a step, relative ones taken from the script's folder.
  std::string resolvePath(const std::string& path) const;

 private:
  // Under Wine the started programs run on a desktop of their own, which this
  // thread joins: its windows are apart from those of other programs that share
  // the Wine server, and its desktop process is started with this run's display.
  bool enterPrivateDesktop();
  bool start(const std::string& commandLine, std::string& found);
  bool awaitWindow(const std::string& caption, bool prefix, std::string& expected, std::string& found);
  bool awaitNoWindow(const std::string& caption, DWORD ms, bool mustStayAway, std::string& expected,
                     std::string& found);
  bool awaitExit(const ScriptStep& step, std::string& expected, std::string& found);
  bool takeScreenshot(const std::string& path, std::string& found);
  // A control's state read again until it is as expected or `ms` have passed.
  bool expectState(const ScriptStep& step, DWORD ms, std::string& expected, std::string& found);
  bool awaitNoProcess(const std::string& fileName, std::string& expected, std::string& found);
  bool control(const ScriptStep& step, HWND& handle, std::string& found) const;
  std::vector<DWORD> watchedProcesses() const;

  std::string folder_;
  std::vector<PROCESS_INFORMATION> started_;
  HWND window_ = nullptr;
  DWORD waitMs_ = 20000;
  HDESK original_ = nullptr;
  HDESK desktop_ = nullptr;
  std::string desktopName_;
};

}  // namespace qv
