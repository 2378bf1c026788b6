// The system's script control as the installer's script host. It is made once at
// program start, before anything else uses COM, and released in the clean-up
// before every exit.
#pragma once

#include <memory>

#include "system/script_host.h"

namespace qv {

// Initialises COM for the thread, creates the script control, resets it and sets
// the language to VBScript. Null when the control cannot be created (COM is then
// uninitialised again, and scripts are skipped).
std::unique_ptr<ScriptHost> createScriptHost();

// Releases the control, then uninitialises COM; the host is null afterwards.
void releaseScriptHost(std::unique_ptr<ScriptHost>& host);

}  // namespace qv
