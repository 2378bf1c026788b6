// Screenshots as 24-bit BMP files.
#pragma once

#include <windows.h>

#include <string>

namespace qv {

// Copies the screen rectangle of `window` (the whole screen for a null window) from
// the screen and writes it to `path` as an uncompressed 24-bit BMP.
bool saveScreenshot(HWND window, const std::string& path, std::string& why);

}  // namespace qv
