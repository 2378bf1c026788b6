// Undo records: the decimal kind, then each field after a "|".
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qv {

std::string formatUndoRecord(int32_t kind, std::initializer_list<std::string_view> fields);

// A registry root as the records hold it: the key handle in unsigned decimal
// (2147483650 for HKEY_LOCAL_MACHINE).
std::string formatRegistryRoot(uint32_t root);

}  // namespace qv
