// The start of a run's system calls on Windows.
#pragma once

#include "driver/start_services.h"

namespace qv {

class Win32StartServices : public StartServices {
 public:
  void initializeServices() override;
  std::string commandLineArguments() override;
  std::string modulePath() override;
  std::string temporaryPath() override;
  std::string newGuidText() override;
  void setEnvironmentVariable(const std::string& name, const std::string& value) override;
  bool createFolder(const std::string& path) override;
  bool offerAdministratorLogon() override;
  void showError(const std::string& caption, const std::string& text) override;
};

}  // namespace qv
