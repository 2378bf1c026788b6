#include "install/user_tasks_records.h"

namespace qv {

std::string formatUndoRecord(int32_t kind, std::initializer_list<std::string_view> fields) {
  std::string record = std::to_string(kind);
  for (std::string_view f : fields) {
    record.push_back('|');
    record.append(f);
  }
  return record;
}

std::string formatRegistryRoot(uint32_t root) { return std::to_string(root); }

}  // namespace qv
