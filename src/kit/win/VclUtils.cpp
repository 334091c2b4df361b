// The kit's window routines.
#include "kit/win/VclUtils.h"

#include "platform/win/Application.h"

TQ_DECLARE_EXCEPTION(EResNotFound, Exception)

void ResourceNotFound(const char* id) {
  // A numeric identifier travels in the pointer's low word.
  std::string name = IS_INTRESOURCE(id) ? IntToStr(reinterpret_cast<uintptr_t>(id)) : std::string(id);
  throw EResNotFound("Resource " + name + " not found");
}

HBITMAP LoadResourceBitmap(const char* id) {
  HBITMAP b = ::LoadBitmapA(::GetModuleHandleA(nullptr), id);
  if (!b) ResourceNotFound(id);
  return b;
}

TSize BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !::GetObjectA(bitmap, sizeof bm, &bm)) return TSize{0, 0};
  return TSize{bm.bmWidth, bm.bmHeight};
}

void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
  const TSize size = BitmapSize(bitmap);
  if (size.cx == 0) return;
  TMemoryDC mem(dc);
  TSelectObject sel(mem.Get(), bitmap);
  const COLORREF transparent = ::GetPixel(mem.Get(), 0, size.cy - 1);
  ::TransparentBlt(dc, x, y, size.cx, size.cy, mem.Get(), 0, 0, size.cx, size.cy, transparent);
}

void CenterControl(TControl* control) {
  TWinControl* parent = control->GetParent();
  if (!parent) return;
  control->SetBounds((parent->GetClientWidth() - control->GetWidth()) / 2,
                     (parent->GetClientHeight() - control->GetHeight()) / 2, control->GetWidth(),
                     control->GetHeight());
}

void KeepOnScreen(int& left, int& top, int width, int height) {
  const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
  if (left + width > sw) left = sw - width;
  if (top + height > sh) top = sh - height;
  if (left < 0) left = 0;
  if (top < 0) top = 0;
}

void CenterForm(TForm* form, bool onMainForm) {
  TForm* main = Application ? Application->GetMainForm() : nullptr;
  int left, top;
  if (onMainForm && main && main != form) {
    left = main->GetLeft() + (main->GetWidth() - form->GetWidth()) / 2;
    top = main->GetTop() + (main->GetHeight() - form->GetHeight()) / 2;
  } else {
    left = (::GetSystemMetrics(SM_CXSCREEN) - form->GetWidth()) / 2;
    top = (::GetSystemMetrics(SM_CYSCREEN) - form->GetHeight()) / 2;
  }
  KeepOnScreen(left, top, form->GetWidth(), form->GetHeight());
  form->SetBounds(left, top, form->GetWidth(), form->GetHeight());
}

void CenterWindow(HWND wnd) {
  RECT r;
  if (!::GetWindowRect(wnd, &r)) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  ::SetWindowPos(wnd, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KillMessage(HWND wnd, UINT msg) {
  MSG m;
  if (::PeekMessageA(&m, wnd, msg, msg, PM_REMOVE) && m.message == WM_QUIT)
    ::PostQuitMessage(static_cast<int>(m.wParam));
}

bool IsForegroundTask() {
  HWND active = ::GetForegroundWindow();
  return active && ::GetWindowThreadProcessId(active, nullptr) == ::GetCurrentThreadId();
}

bool FourDigitYear() {
  static const bool fourDigits = [] {
    char format[80] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format, sizeof format);
    return UpperCase(format).find("YYYY") != std::string::npos;
  }();
  return fourDigits;
}
