// Real input for the Win32 tests: keys and clicks through SendInput, as a
// person would give them, so they pass the message loop, the shortcut and
// dialog-key handling and the controls' own windows. The window that should
// get them is brought to the foreground first.
#pragma once

#include "platform/win/InputSupport.h"
#include "platform/win/WinApi.h"
#include "platform/win/WinTestSupport.h"

#include <initializer_list>
#include <vector>

// Presses vk with the modifiers held (VK_SHIFT, VK_CONTROL, VK_MENU), then
// lets the messages through.
inline void PressKey(WORD vk, std::initializer_list<WORD> modifiers = {}) {
  std::vector<INPUT> in;
  for (WORD m : modifiers) in.push_back(KeyInput(m, false));
  in.push_back(KeyInput(vk, false));
  in.push_back(KeyInput(vk, true));
  for (auto it = modifiers.end(); it != modifiers.begin();) in.push_back(KeyInput(*--it, true));
  ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
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

inline bool BringToFront(HWND wnd) {
  ::SetForegroundWindow(wnd);
  return PumpUntil([&] { return ::GetForegroundWindow() == wnd; });
}
