// Support for the Win32 tests: one application object per test program and
// helpers that pump the message loop while waiting for something to happen.
#pragma once

#include "platform/win/Application.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

class TTestApplicationEnvironment : public ::testing::Environment {
public:
  void SetUp() override { FApp = new TApplication(); }
  void TearDown() override {
    delete FApp;
    FApp = nullptr;
  }

private:
  TApplication* FApp = nullptr;
};

// Registers the environment once per test program (include in one source).
#define TQ_TEST_APPLICATION()                                                                 \
  static ::testing::Environment* const tqTestApplicationEnvironment =                         \
      ::testing::AddGlobalTestEnvironment(new TTestApplicationEnvironment)

// Pumps messages until cond() holds or timeoutMs passed; returns cond().
// The deadline is reached only when something is wrong, so it is generous:
// on a loaded machine a key or a window change that goes through the X
// server and the wine server can take seconds to arrive.
inline bool PumpUntil(const std::function<bool()>& cond, int timeoutMs = 10000) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!cond()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Pumps messages for a while.
inline void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

// A key typed as the keyboard delivers it: the modifier keys marked down in
// the thread's key state, key down posted to wnd with its scan code and run
// through the message loop (the application's shortcut handling, then
// TranslateMessage, which makes the character message), then key up. With
// Alt the system's key messages are posted.
inline void PostKey(HWND wnd, WORD vk, TShiftState mods = TShiftState()) {
  BYTE saved[256];
  ::GetKeyboardState(saved);
  BYTE state[256];
  std::memcpy(state, saved, sizeof state);
  const auto mark = [&](int key, bool down) { state[key] = down ? 0x80 : 0; };
  mark(VK_SHIFT, mods.Contains(ssShift));
  mark(VK_LSHIFT, mods.Contains(ssShift));
  mark(VK_CONTROL, mods.Contains(ssCtrl));
  mark(VK_LCONTROL, mods.Contains(ssCtrl));
  mark(VK_MENU, mods.Contains(ssAlt));
  mark(VK_LMENU, mods.Contains(ssAlt));
  state[vk] = 0x80;
  ::SetKeyboardState(state);
  const UINT scan = ::MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */);
  const LPARAM alt = mods.Contains(ssAlt) ? 0x20000000 : 0;
  const LPARAM down = 1 | LPARAM(scan) << 16 | alt;
  ::PostMessageA(wnd, mods.Contains(ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, down);
  Application->ProcessMessages();
  state[vk] = 0;
  ::SetKeyboardState(state);
  ::PostMessageA(wnd, mods.Contains(ssAlt) ? WM_SYSKEYUP : WM_KEYUP, vk, down | 0xC0000000);
  Application->ProcessMessages();
  ::SetKeyboardState(saved);
}

// Text typed key by key into wnd (Shift where the layout needs it).
inline void PostText(HWND wnd, const std::string& text) {
  for (char c : text) {
    const SHORT scan = ::VkKeyScanA(c);
    PostKey(wnd, LOBYTE(scan), (HIBYTE(scan) & 1) ? TShiftState{ssShift} : TShiftState());
  }
}
