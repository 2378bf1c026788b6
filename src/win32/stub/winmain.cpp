// Entry of the setup stub.
#include <windows.h>

#include "driver/run_context.h"
#include "driver/start_run.h"
#include "win32/start_services_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  qv::RunContext context;
  qv::Win32StartServices system;
  qv::startRun(context, system);
  // The run ends here for now: the temporary folder stays, holding the setup package.
  ExitProcess(0);  // always 0, whichever way the run ends
}
