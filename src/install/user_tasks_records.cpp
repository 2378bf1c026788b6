#include "install/user_tasks_records.h"

#include "runtime/text.h"

namespace qv {

std::string formatUndoRecord(int32_t kind, std::initializer_list<std::string_view> fields) {
  std::string record = signedDecimalText(kind);
  for (std::string_view f : fields) {
    record.push_back('|');
    record.append(f);
  }
  return record;
}

std::string formatRegistryRoot(uint32_t root) { return decimalText(root); }

}  // namespace qv
