// Entry of the setup stub.
#include <windows.h>

#include "driver/run_context.h"
#include "driver/setup_description.h"
#include "driver/setup_run.h"
#include "win32/start_services_win32.h"
#include "wizard/interface_texts.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The run's records live for the whole process; the run releases what it acquired
  // before it returns.
  qv::RunContext context;
  qv::RunSettings settings;
  qv::InterfaceTexts texts;
  qv::Win32StartServices system;
  qv::runSetup(context, settings, texts, system);
  ExitProcess(0);  // always 0, whichever way the run ends
}
