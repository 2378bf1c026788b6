// The install run's progress procedure: a running total of the bytes of the files
// extracted so far, shown as the position of the install progress bar.
#pragma once

#include <cstdint>
#include <functional>

#include "package/package_reader.h"

namespace qv {

class InstallProgress {
 public:
  using SetPosition = std::function<void(int64_t position)>;
  explicit InstallProgress(SetPosition setPosition) : setPosition_(std::move(setPosition)) {}

  // Back to 0, for a product package just opened.
  void reset() { runningTotal_ = 0; }
  int64_t runningTotal() const { return runningTotal_; }
  // The procedure to give openPackage. It refers to this object, which must outlive
  // the extraction.
  ProgressProcedure procedure();

 private:
  SetPosition setPosition_;
  int64_t runningTotal_ = 0;
};

}  // namespace qv
