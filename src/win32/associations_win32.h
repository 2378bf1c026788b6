// The association question as a system message box.
#pragma once

#include "system/associations.h"

namespace qv {

class Win32AssociationQuestion final : public AssociationQuestion {
 public:
  // Owned by the foreground window when it belongs to this process, else by none.
  bool confirmAssociation(const std::string& caption, const std::string& text) override;
};

}  // namespace qv
