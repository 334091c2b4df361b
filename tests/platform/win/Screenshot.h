// Screenshots for the Win32 tests: a window's client area copied from the
// screen into a bitmap, and a bitmap saved as a plain 32-bit BMP for a person
// to look at (in the test's working folder, under the build folder).
#pragma once

#include "platform/win/GdiCanvas.h"

#include <fstream>
#include <memory>
#include <string>

// The window's client area as it stands on the screen, copied into a bitmap.
inline std::unique_ptr<TBitmap> Capture(HWND wnd) {
  RECT r{};
  ::GetClientRect(wnd, &r);
  auto bmp = std::make_unique<TBitmap>(r.right, r.bottom);
  TWindowDC dc(wnd);
  ::BitBlt(bmp->DC(), 0, 0, r.right, r.bottom, dc.Get(), 0, 0, SRCCOPY);
  return bmp;
}

inline void SaveBitmap(const TBitmap& bmp, const std::string& fileName) {
  const int w = bmp.Width(), h = bmp.Height();
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;  // bottom-up: the form every reader (LoadImage too) knows
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  ih.biCompression = BI_RGB;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + DWORD(w) * DWORD(h) * 4;
  std::ofstream out(fileName, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      const TColor c = bmp.Pixel(x, y);
      const unsigned char px[4] = {static_cast<unsigned char>((c >> 16) & 0xFF),
                                   static_cast<unsigned char>((c >> 8) & 0xFF),
                                   static_cast<unsigned char>(c & 0xFF), 0};
      out.write(reinterpret_cast<const char*>(px), 4);
    }
}
