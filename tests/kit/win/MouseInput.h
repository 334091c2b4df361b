// Real mouse input for the kit's Win32 tests: a press, moves and a release
// through SendInput, as a person drags.
#pragma once

#include "platform/win/WinApi.h"
#include "platform/win/WinTestSupport.h"

inline void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    in.mi.dx = (x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / ::GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / ::GetSystemMetrics(SM_CYSCREEN);
  }
  ::SendInput(1, &in, sizeof in);
}

inline void MouseMoveTo(int x, int y) {
  ::SetCursorPos(x, y);
  SendMouse(MOUSEEVENTF_MOVE);  // a move of nothing: the window hears of the new place
  PumpUntil([&] {
    POINT p{};
    ::GetCursorPos(&p);
    return p.x == x && p.y == y;
  }, 1000);
  PumpFor(30);
}

inline void MousePress(int x, int y) {
  MouseMoveTo(x, y);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  PumpFor(50);
}

inline void MouseRelease() {
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpFor(50);
}

inline TPoint ScreenCenterOf(TControl* c) {
  return c->ClientToScreen(TPoint(c->GetWidth() / 2, c->GetHeight() / 2));
}

// Activates a window and waits until it is the foreground one.
inline bool ActivateForInput(HWND wnd) {
  ::SetForegroundWindow(wnd);
  return PumpUntil([&] { return ::GetForegroundWindow() == wnd; });
}
