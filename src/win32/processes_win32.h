// Programs started on Windows: CreateProcessA, the shell as fallback, and the kept
// process records in one list under one lock. The stub owns one of these for the run.
#pragma once

#include <windows.h>

#include "system/processes.h"

namespace qv {

class Win32Processes : public Processes {
 public:
  Win32Processes();
  ~Win32Processes();
  Win32Processes(const Win32Processes&) = delete;
  Win32Processes& operator=(const Win32Processes&) = delete;

  StartedProcess startProcess(const std::string& file, const std::string& parameters,
                              const std::string& workingFolder, unsigned flags) override;
  uint32_t processExitCode(const ProcessRecord* record) override;
  bool processIsRunning(const ProcessRecord* record) override;
  void stopProcess(const ProcessRecord* record) override;
  void releaseProcess(const ProcessRecord* record) override;
  void releaseAllProcesses() override;
  void pumpEventsWhileWaiting(bool pump) override { pump_ = pump; }

 private:
  ProcessRecordList records_;
  CRITICAL_SECTION lock_;  // held around every use of the records
  bool pump_ = false;
};

}  // namespace qv
