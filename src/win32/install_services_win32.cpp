#include "win32/install_services_win32.h"

#include "win32/script_host_win32.h"

namespace qv {

Win32InstallServices::Win32InstallServices(RunContext& context, StartServices& system, const InterfaceTexts& texts,
                                           const HWND* wizardWindow)
    : folders_(shellFolders_, registry_),
      copies_(wizardWindow),
      copyPolicy_(context, system, texts),
      taskActions_(UserTaskParts{links_, folders_, registry_, system.processes(), copies_, copyPolicy_, question_,
                                 texts, shellFolders_.systemVersion(), context.quiet}),
      scriptHost_(createScriptHost()) {}

Win32InstallServices::~Win32InstallServices() { releaseScriptHost(scriptHost_); }

}  // namespace qv
