// Privileges: whether the user may administer the machine, and the administrator
// logon that a step failing for lack of rights offers. A successful logon leaves the
// (only) thread impersonating that account. The Windows side is
// win32/privileges_win32.h; the login window is system/login_window.h.
#pragma once

#include <string>

#include "system/login_window.h"
#include "system/system_handle.h"
#include "texts/interface_texts.h"

namespace qv {

class Privileges {
 public:
  // True when the local service control manager opens with all access rights,
  // under the thread's current identity.
  virtual bool isAdministrator() = 0;
  // Logs the account on interactively and impersonates it. The logon token, or null
  // when the logon (or the impersonation) failed.
  virtual SystemHandle impersonateUser(const std::string& user, const std::string& domain,
                                       const std::string& password) = 0;
  // Back to the process's own identity, and the token closed.
  virtual void endImpersonation(SystemHandle token) = 0;
  // Closes a token that is no longer impersonated.
  virtual void closeToken(SystemHandle token) = 0;

 protected:
  ~Privileges() = default;
};

// A run's administrator logon: the token of the last successful logon, which the
// thread impersonates, and whether the logon is to be offered no more (the user closed
// the login window without logging on, or the run may not ask anyone: a quiet run).
struct LogonState {
  SystemHandle token = nullptr;
  bool impersonating = false;  // set by a successful logon; the uninstall log keeps it
  bool declined = false;
};

// The domain a logon uses: "." (the local account database) when none is given.
std::string logonDomain(const std::string& domain);

// The login window until a logon succeeds or the window is closed. A successful logon
// replaces the held token (the one before is closed) and sets `impersonating`; a
// failed one shows Requester/RQ7 and empties both fields. A window closed (or one that
// cannot be opened) without a logon declines the logon for the rest of the run.
void logOnAsAdministrator(Privileges& privileges, LoginWindow& window, const InterfaceTexts& texts,
                          LogonState& logon);

// What offering the logon for a step that failed came to.
enum class LogonOffer {
  Administrator,  // the user administers the machine: no logon, and nothing to retry
  Declined,       // declined earlier in the run: not offered again
  Made,           // offered: the step is tried once more, whatever the logon gave
};

// For a step that failed: when the user is no administrator and has not declined the
// logon, it is offered. N files that cannot be written bring one login window, not N.
LogonOffer offerAdministratorLogon(Privileges& privileges, LoginWindow& window, const InterfaceTexts& texts,
                                   LogonState& logon);

}  // namespace qv
