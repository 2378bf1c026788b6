// Programs the stub starts: the command line, the shell as fallback, waiting, and the
// process records kept for the exit code, the running test and termination. The
// Windows side is win32/processes_win32.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "system/system_handle.h"

namespace qv {

constexpr unsigned kProcessWait = 1;  // return only after the program has ended
constexpr unsigned kProcessKeep = 4;  // keep the process handle in a record

// A kept program. The process id is -1 when the shell started it.
struct ProcessRecord {
  SystemHandle process = nullptr;
  int32_t processId = 0;
};

// What starting a program gave: not started; started and not kept; or started and
// kept in the record.
struct StartedProcess {
  bool started = false;
  ProcessRecord* record = nullptr;
};

class Processes {
 public:
  virtual StartedProcess startProcess(const std::string& file, const std::string& parameters,
                                      const std::string& workingFolder, unsigned flags) = 0;
  // Every operation below takes only records that are kept and not yet released;
  // any other record is left alone (0, false, nothing done).
  // The exit code, or 0 when it is not available.
  virtual uint32_t processExitCode(const ProcessRecord* record) = 0;
  virtual bool processIsRunning(const ProcessRecord* record) = 0;
  // Ends the program at once with exit code 0xFFFFFFFF.
  virtual void stopProcess(const ProcessRecord* record) = 0;
  // Closes the record's handle and forgets the record.
  virtual void releaseProcess(const ProcessRecord* record) = 0;
  // Releases every record still kept, at the end of the run.
  virtual void releaseAllProcesses() = 0;
  // While a window is open, waiting for a program takes and handles the window events
  // meanwhile (a plain wait would hang every program that broadcasts to all windows);
  // what the user does in the window meanwhile is dropped.
  virtual void pumpEventsWhileWaiting(bool pump) = 0;

 protected:
  ~Processes() = default;
};

// The file in double quotes unless it begins with one; a blank and the parameters
// when there are any.
std::string processCommandLine(const std::string& file, const std::string& parameters);

// The folder the shell starts a file in: the working folder, else the file's folder
// part up to and including its last backslash when that is not the first character.
std::string shellDirectory(const std::string& file, const std::string& workingFolder);

// The kept records, in the order kept. Not locked itself: its owner holds one lock
// around every call.
class ProcessRecordList {
 public:
  ProcessRecord* keep(std::unique_ptr<ProcessRecord> record);
  bool contains(const ProcessRecord* record) const;
  // Takes the record out of the list; null when it is not kept.
  std::unique_ptr<ProcessRecord> take(const ProcessRecord* record);
  std::vector<std::unique_ptr<ProcessRecord>> takeAll();
  size_t size() const { return records_.size(); }

 private:
  std::vector<std::unique_ptr<ProcessRecord>> records_;
};

}  // namespace qv
