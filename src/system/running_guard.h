// The running-program guard: whether the product about to be installed is running,
// by a named mutex that the product holds or by the list of running processes, and
// the warning the user answers before the installation goes on. The Windows side is
// win32/running_programs_win32.h.
#pragma once

#include <string>
#include <vector>

#include "texts/interface_texts.h"

namespace qv {

class RunningPrograms {
 public:
  // The executable file names of all running processes. False when the process list
  // cannot be read (its functions are missing or the snapshot fails).
  virtual bool listProcessNames(std::vector<std::string>& names) = 0;
  // Creates the named mutex without owning it and closes it again: true when it
  // existed already, also when this user may not open it. A name that cannot be
  // created for another reason (an object of another kind) gives false.
  virtual bool mutexExists(const std::string& name) = 0;
  // The warning box with OK and Cancel, Cancel the default. True for OK.
  virtual bool confirmRunningProgram(const std::string& caption, const std::string& text) = 0;

 protected:
  ~RunningPrograms() = default;
};

// a to z and the code-page characters 0xE0 to 0xFF lose 0x20; other bytes stay.
std::string upperCaseName(const std::string& name);

// True when a running process has the file part of `program` as its executable name,
// compared upper-cased. Every process is looked at.
bool isProgramRunning(RunningPrograms& programs, const std::string& program);

// With a mutex name (already trimmed) the mutex alone decides; otherwise the
// process list with the program's file name.
bool isProductRunning(RunningPrograms& programs, const std::string& mutexName, const std::string& progExe);

// Requester/RQ4_Msg with the title put in, a line feed, Requester/RQ4_Msg2.
std::string runningProgramWarning(const InterfaceTexts& texts, const std::string& title);

// The guard at the start of a run. `running` receives the test's result. True when
// the run goes on (the product is not running, or the user answered OK); false when
// the user chose Cancel and the run ends.
bool guardRunningProduct(RunningPrograms& programs, const InterfaceTexts& texts, const std::string& mutexName,
                         const std::string& progExe, const std::string& title, bool& running);

}  // namespace qv
