// Privileges: whether the user may administer the machine, and the administrator
// logon that a step failing for lack of rights offers. A successful logon leaves the
// (only) thread impersonating that account. The Windows side is
// win32/privileges_win32.h and win32/login_window_win32.h.
#pragma once

#include <string>

#include "integration/system_handle.h"
#include "wizard/interface_texts.h"

namespace qv {

class Privileges {
 public:
  virtual ~Privileges() = default;
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
};

// The login window (window 5) as the logon drives it.
class LoginWindow {
 public:
  enum class Event { Login, Close };
  virtual ~LoginWindow() = default;
  // Builds and shows the window; false when it cannot be opened.
  virtual bool openLoginWindow(const InterfaceTexts& texts) = 0;
  // Waits until the Login button is pressed or the window is asked to close.
  virtual Event waitForLoginEvent() = 0;
  virtual std::string enteredUserName() = 0;
  virtual std::string enteredPassword() = 0;
  virtual void clearLoginFields() = 0;
  // A message box with an error icon and OK, owned by the login window.
  virtual void showLoginFailure(const std::string& caption, const std::string& text) = 0;
  virtual void closeLoginWindow() = 0;
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

// For a step that failed: when the user is no administrator and has not declined the
// logon, it is offered and the answer is true (the step is tried once more, whatever
// the logon's outcome). Otherwise no logon, and false: N files that cannot be written
// bring one login window, not N.
bool offerAdministratorLogon(Privileges& privileges, LoginWindow& window, const InterfaceTexts& texts,
                             LogonState& logon);

}  // namespace qv
