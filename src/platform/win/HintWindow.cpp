// THintWindow.
#include "platform/win/HintWindow.h"

#include <algorithm>

namespace {
constexpr UINT kHintTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  FVisible = false;
  FColor = clInfoBk;
  FFont.SetColor(clInfoText);
  FClickEvents = false;
}

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  p.WndParent = nullptr;
  p.ClassStyle = CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
  TWindowDC screen(nullptr);
  TSaveDC saved(screen.Get());
  std::shared_ptr<const TFontObject> font = AcquireFont(GetFont());
  ::SelectObject(screen.Get(), font->Get());
  RECT r{0, 0, maxWidth, 0};
  ::DrawTextA(screen.Get(), hint.c_str(), static_cast<int>(hint.size()), &r,
              kHintTextFlags | DT_CALCRECT);
  // Room for the border (1 pixel each side) and the text's inset of 2.
  return TRect(0, 0, r.right + 6, r.bottom + 2);
}

void THintWindow::ActivateHint(TRect rect, const std::string& hint) {
  TControl::SetText(hint);
  int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  int w = rect.Width(), h = rect.Height();
  int x = std::max(0, std::min(rect.Left, screenW - w));
  int y = std::max(0, std::min(rect.Top, screenH - h));
  HWND wnd = GetHandle();
  ::SetWindowTextA(wnd, hint.c_str());
  ::SetWindowPos(wnd, HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FVisible = true;
  ::InvalidateRect(wnd, nullptr, TRUE);
  ::UpdateWindow(wnd);
}

void THintWindow::ReleaseHandle() {
  if (HandleAllocated()) ::ShowWindow(FHandle, SW_HIDE);
  FVisible = false;
}

bool THintWindow::IsHintShowing() const { return FHandle && ::IsWindowVisible(FHandle); }

void THintWindow::Paint() {
  auto* canvas = static_cast<TCanvas*>(GetCanvas());
  canvas->RequireState();
  RECT r{};
  ::GetClientRect(FHandle, &r);
  r.left += 2;
  r.top += 2;
  ::SetBkMode(canvas->Handle(), TRANSPARENT);
  ::DrawTextA(canvas->Handle(), FText.c_str(), static_cast<int>(FText.size()), &r, kHintTextFlags);
}

void THintWindow::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_NCHITTEST:
      msg.Result = HTTRANSPARENT;
      return;
    case WM_MOUSEACTIVATE:
      msg.Result = MA_NOACTIVATE;
      return;
    default:
      TCustomControl::WndProc(msg);
  }
}
