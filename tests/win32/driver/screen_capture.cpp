#include "screen_capture.h"

#include <cstdio>
#include <vector>

namespace qv {
namespace {

bool writeBmp(const std::string& path, int width, int height, const std::vector<unsigned char>& rows,
              std::string& why) {
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;  // bottom-up, as GetDIBits gives the rows
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = DWORD(rows.size());
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = DWORD(file.bfOffBits + rows.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) {
    why = "cannot create " + path;
    return false;
  }
  bool ok = std::fwrite(&file, sizeof(file), 1, out) == 1 && std::fwrite(&info, sizeof(info), 1, out) == 1 &&
            std::fwrite(rows.data(), 1, rows.size(), out) == rows.size();
  ok = std::fclose(out) == 0 && ok;
  if (!ok) why = "cannot write " + path;
  return ok;
}

}  // namespace

bool saveScreenshot(HWND window, const std::string& path, std::string& why) {
  RECT rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (window && !GetWindowRect(window, &rect)) {
    why = "the window has no place on the screen";
    return false;
  }
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
    why = "the window has no usable size";
    return false;
  }
  HDC screen = GetDC(nullptr);
  if (!screen) {
    why = "no screen to copy from";
    return false;
  }
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  bool ok = memory && bitmap;
  std::vector<unsigned char> rows;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT) != 0;
    SelectObject(memory, old);
  }
  if (ok) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    rows.resize(stride * size_t(height));
    ok = GetDIBits(memory, bitmap, 0, UINT(height), rows.data(), &info, DIB_RGB_COLORS) == height;
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!ok) {
    why = "the screen could not be copied";
    return false;
  }
  return writeBmp(path, width, height, rows, why);
}

}  // namespace qv
