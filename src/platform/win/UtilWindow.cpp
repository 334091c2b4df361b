// TUtilityWindow.
#include "platform/win/UtilWindow.h"

#include "platform/SysUtils.h"
#include "platform/win/Application.h"

namespace {
const char kUtilClass[] = "TqUtilWindow";

void RegisterUtilClass(WNDPROC proc) {
  WNDCLASSA wc{};
  if (::GetClassInfoA(::GetModuleHandleA(nullptr), kUtilClass, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kUtilClass;
  if (!::RegisterClassA(&wc)) throw EOutOfResources("Error creating window class");
}
}  // namespace

TUtilityWindow::TUtilityWindow(std::function<bool(TMessage&)> handler, bool messageOnly)
    : FHandler(std::move(handler)) {
  RegisterUtilClass(&TUtilityWindow::WndProc);
  FHandle = ::CreateWindowExA(0, kUtilClass, "", messageOnly ? 0 : WS_POPUP, 0, 0, 0, 0,
                              messageOnly ? HWND_MESSAGE : nullptr, nullptr,
                              ::GetModuleHandleA(nullptr), nullptr);
  if (!FHandle) throw EOutOfResources("Error creating window");
  ::SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TUtilityWindow::~TUtilityWindow() {
  ::SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
  ::DestroyWindow(FHandle);
}

LRESULT CALLBACK TUtilityWindow::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TUtilityWindow*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (self && self->FHandler) {
    TMessage m{msg, wParam, lParam, 0};
    try {
      if (self->FHandler(m)) return m.Result;
    } catch (...) {
      HandleCallbackException(nullptr);
      return 0;
    }
  }
  return ::DefWindowProcA(wnd, msg, wParam, lParam);
}
