// Real input for the Win32 tests: keys and clicks through SendInput, as a
// person would give them, so they pass the message loop, the shortcut and
// dialog-key handling and the controls' own windows. The window that should
// get them is brought to the foreground first (BringToFront), and kept
// there.
#pragma once

#include "platform/win/InputSupport.h"
#include "platform/win/WinApi.h"
#include "platform/win/WinTestSupport.h"

#include <cstdio>
#include <initializer_list>

// The window BringToFront last brought up: the keys that follow are meant
// for it.
inline HWND& FrontWindow() {
  static HWND wnd = nullptr;
  return wnd;
}

inline bool BringToFront(HWND wnd) {
  FrontWindow() = wnd;
  ::SetForegroundWindow(wnd);
  return PumpUntil([&] { return ::GetForegroundWindow() == wnd; });
}

// Keys go to the foreground window, clicks to the window under the cursor.
// On a loaded machine something outside the test can take the front between
// two keys (another process's window that comes up late, a focus change the
// X server reports late); its keys were then lost while its clicks still
// arrived. So before a key the test's window is brought back when another
// process (or none) has the front, and the output says what had it. The
// program's own windows are left alone: which of them has the front is what
// the tests check.
inline void KeepFrontWindow() {
  HWND wnd = FrontWindow();
  if (!wnd || !::IsWindow(wnd) || !::IsWindowVisible(wnd)) return;
  HWND now = ::GetForegroundWindow();
  DWORD pid = 0;
  if (now) ::GetWindowThreadProcessId(now, &pid);
  if (now && pid == ::GetCurrentProcessId()) return;
  char cls[64] = "";
  if (now) ::GetClassNameA(now, cls, sizeof cls);
  std::printf("RealInput: %s had the foreground (process %lu); the test's window is brought back\n",
              now ? cls : "no window", static_cast<unsigned long>(pid));
  std::fflush(stdout);
  BringToFront(wnd);
}

// Presses vk with the modifiers held (VK_SHIFT, VK_CONTROL, VK_MENU), then
// lets the messages through.
inline void PressKey(WORD vk, std::initializer_list<WORD> modifiers = {}) {
  KeepFrontWindow();
  SendKey(vk, modifiers);
  PumpFor(30);
}

// Types letters and digits (upper-case letters with Shift).
inline void TypeText(const char* text) {
  for (const char* p = text; *p; ++p) {
    char c = *p;
    if (c >= 'a' && c <= 'z')
      PressKey(static_cast<WORD>(c - 'a' + 'A'));
    else if (c >= 'A' && c <= 'Z')
      PressKey(static_cast<WORD>(c), {VK_SHIFT});
    else
      PressKey(static_cast<WORD>(c));
  }
}

// A left click (or double click) at a point on the screen.
inline void ClickAt(int x, int y, int clicks = 1) {
  ::SetCursorPos(x, y);
  PumpFor(20);
  for (int i = 0; i < clicks; ++i) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
  }
  PumpFor(50);
}

