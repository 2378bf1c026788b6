// Entry of the uninstaller.
#include <windows.h>

#include "uninstall/uninstall_run.h"
#include "win32/system_library_win32.h"
#include "win32/uninstall_services_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything loads a library: the install folder may hold libraries of system
  // names (the product's own), which must not be taken for the system's.
  qv::restrictLibrarySearchToSystemFolder();
  qv::Win32UninstallServices system;
  ExitProcess(UINT(qv::runUninstaller(system)));
}
