// A window's own picture, kept as a test artifact for a person to look at:
// the window draws itself (PrintWindow) into a bitmap, so other tests'
// windows on the same X server never show up in it. Saved as
// "<name>.bmp" in the test's working folder, under the build folder.
#pragma once

#include "platform/win/Screenshot.h"

#include <string>

inline void SaveWindowCapture(HWND wnd, const std::string& name) {
  RECT r{};
  if (!::GetWindowRect(wnd, &r) || r.right <= r.left || r.bottom <= r.top) return;
  TBitmap bmp(r.right - r.left, r.bottom - r.top);
  ::PrintWindow(wnd, bmp.DC(), 0);
  SaveBitmap(bmp, name + ".bmp");
}
