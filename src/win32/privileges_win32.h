// The privilege services on Windows: the service-manager test, the logon with
// impersonation and its end.
#pragma once

#include "system/privileges.h"

namespace qv {

class Win32Privileges : public Privileges {
 public:
  bool isAdministrator() override;
  SystemHandle impersonateUser(const std::string& user, const std::string& domain,
                               const std::string& password) override;
  void endImpersonation(SystemHandle token) override;
  void closeToken(SystemHandle token) override;
};

}  // namespace qv
