#include "win32/com_win32.h"

#include <climits>

namespace qv {

BstrText::BstrText(const char* text, size_t length) {
  if (length > size_t(INT_MAX)) return;
  const int n = int(length);
  const int wide = n == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, text, n, nullptr, 0);
  if (n != 0 && wide <= 0) return;
  text_ = SysAllocStringLen(nullptr, UINT(wide));
  if (!text_) return;
  if (wide > 0) MultiByteToWideChar(CP_ACP, 0, text, n, text_, wide);
  text_[wide] = 0;
}

}  // namespace qv
