// qvstart: starts a program as the stub's tasks do, waiting for it, and tells by its
// exit code what came of it: 0 started and ended, 3 not started. Under a display a
// start that the shell reports in a box of its own never comes back, which is what
// the silent-start test looks for.
//
//   qvstart <program> [<parameters>]
#include "win32/processes_win32.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  qv::Win32Processes processes;
  qv::StartedProcess started = processes.startProcess(argv[1], argc > 2 ? argv[2] : "", "", qv::kProcessWait);
  return started.started ? 0 : 3;
}
