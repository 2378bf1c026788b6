#include "package/extract_progress.h"

namespace qv {

ProgressProcedure InstallProgress::procedure() {
  return [this](const PackageEntry& current) {
    runningTotal_ += current.size;
    if (setPosition_) setPosition_(runningTotal_);
  };
}

}  // namespace qv
