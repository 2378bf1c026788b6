#include "win32/privileges_win32.h"

#include <windows.h>

namespace qv {

bool Win32Privileges::isAdministrator() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return false;
  CloseServiceHandle(manager);
  return true;
}

SystemHandle Win32Privileges::impersonateUser(const std::string& user, const std::string& domain,
                                              const std::string& password) {
  HANDLE token = nullptr;
  if (!LogonUserA(user.c_str(), logonDomain(domain).c_str(), password.c_str(), LOGON32_LOGON_INTERACTIVE,
                  LOGON32_PROVIDER_DEFAULT, &token))
    return nullptr;
  // A logon the thread cannot take on is no logon: the run would think itself
  // impersonating an account it is not.
  if (!ImpersonateLoggedOnUser(token)) {
    CloseHandle(token);
    return nullptr;
  }
  return token;
}

void Win32Privileges::endImpersonation(SystemHandle token) {
  RevertToSelf();
  closeToken(token);
}

void Win32Privileges::closeToken(SystemHandle token) {
  if (token) CloseHandle(token);
}

}  // namespace qv
