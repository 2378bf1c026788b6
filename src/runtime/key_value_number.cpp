#include "runtime/key_value_number.h"

#include "runtime/text.h"

namespace qv {

int parseKeyValueInteger(std::string_view text) { return readDecimal(text, true).clamped(); }

}  // namespace qv
