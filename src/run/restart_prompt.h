// The system's restart prompt at the end of a run whose setup description asks for a
// restart. The Windows side is win32/restart_prompt_win32.h.
#pragma once

namespace qv {

class RestartPrompt {
 public:
  // Asks the user whether to restart the system now and restarts it on Yes: no file
  // queue, no owner window, not only a scan.
  virtual void promptRestart() = 0;

 protected:
  ~RestartPrompt() = default;
};

}  // namespace qv
