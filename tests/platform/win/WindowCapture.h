// A window's own picture, kept as a test artifact for a person to look at:
// the window draws itself (PrintWindow) into a bitmap, so other tests'
// windows on the same X server never show up in it. Wine's PrintWindow
// leaves windows that paint only on WM_PAINT blank; then the picture is
// copied from the window's own device context instead. Saved as
// "<name>.bmp" in the test's working folder, under the build folder.
#pragma once

#include "platform/win/Screenshot.h"

#include <string>

inline void SaveWindowCapture(HWND wnd, const std::string& name) {
  RECT r{};
  if (!::GetWindowRect(wnd, &r) || r.right <= r.left || r.bottom <= r.top) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  TBitmap bmp(w, h);
  ::PrintWindow(wnd, bmp.DC(), 0);
  // Blank: the middle of the picture is one colour (its edges may hold a
  // frame Wine leaves black).
  bool blank = true;
  const TColor first = bmp.Pixel(w / 2, h / 2);
  for (int y = h / 8; y < h - h / 8 && blank; y += 4)
    for (int x = w / 8; x < w - w / 8 && blank; x += 4) blank = bmp.Pixel(x, y) == first;
  if (blank) {
    HDC dc = ::GetWindowDC(wnd);
    ::BitBlt(bmp.DC(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(wnd, dc);
  }
  SaveBitmap(bmp, name + ".bmp");
}
