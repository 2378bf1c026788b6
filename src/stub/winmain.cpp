// Entry of the setup stub.
#include <windows.h>

#include "run/run_context.h"
#include "run/run_end.h"
#include "run/setup_run.h"
#include "setup/run_settings.h"
#include "texts/interface_texts.h"
#include "win32/start_services_win32.h"
#include "win32/system_library_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything loads a library: a setup executable runs from a downloads folder,
  // where a planted library of a system name may lie.
  qv::restrictLibrarySearchToSystemFolder();
  // The run's records live for the whole process; the run releases what it acquired
  // before it returns.
  qv::RunContext context;
  qv::RunSettings settings;
  qv::InterfaceTexts texts;
  qv::Win32StartServices system;
  qv::runSetup(context, settings, texts, system);
  // 0 for the wizard run, whichever way it ended; the quiet run's code tells its caller.
  ExitProcess(qv::runExitCode(context.outcome, context.quiet));
}
