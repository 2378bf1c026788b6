// Natively the core builds qvpack and the tests; it installs nothing itself.
#include "driver/install_services.h"

namespace qv {

std::unique_ptr<InstallServices> createInstallServices(RunContext&, StartServices&, const InterfaceTexts&) {
  return nullptr;
}

}  // namespace qv
