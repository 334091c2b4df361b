// Real input and modal loops for the Win32 tests: keys and clicks through
// SendInput, and work that runs from a timer inside a modal loop (a tracked
// menu, a common dialog, ShowModal), where the test itself is blocked.
#pragma once

#include "platform/win/WinApi.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

// Runs func once, delayMs from now, from whatever message loop is running.
inline void RunLater(int delayMs, std::function<void()> func) {
  static std::map<UINT_PTR, std::function<void()>> pending;
  UINT_PTR id = ::SetTimer(nullptr, 0, UINT(delayMs), [](HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    auto it = pending.find(id);
    if (it == pending.end()) return;
    std::function<void()> f = std::move(it->second);
    pending.erase(it);
    f();
  });
  pending[id] = std::move(func);
}

// The keys a keyboard sends with the extended prefix: without the flag the
// arrows and the editing block share their scan codes with the number pad,
// and a key may reach the program as the number pad's.
inline bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
      return true;
    default:
      return false;
  }
}

inline INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = WORD(::MapVirtualKeyA(vk, 0));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

// Presses and releases vk with the modifier keys held (VK_CONTROL, ...).
inline void SendKey(WORD vk, std::initializer_list<WORD> modifiers = {}) {
  std::vector<INPUT> inputs;
  for (WORD m : modifiers) inputs.push_back(KeyInput(m, false));
  inputs.push_back(KeyInput(vk, false));
  inputs.push_back(KeyInput(vk, true));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) inputs.push_back(KeyInput(*it, true));
  ::SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A click of the left or right button at a screen point.
inline void SendClick(int x, int y, bool right = false) {
  ::SetCursorPos(x, y);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  ::SendInput(2, in, sizeof(INPUT));
}

// The system's menu window of this process that is showing, if any. Not the
// first "#32768" window there is: a menu closed a moment ago may still be
// there hidden, and another program's open menu is none of ours.
inline HWND OpenMenuWindow() {
  struct TFind {
    HWND Found = nullptr;
  } find;
  ::EnumWindows(
      [](HWND wnd, LPARAM l) -> BOOL {
        char cls[16] = {};
        ::GetClassNameA(wnd, cls, sizeof cls);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(wnd, &pid);
        if (std::string(cls) != "#32768" || pid != ::GetCurrentProcessId() || !::IsWindowVisible(wnd)) return TRUE;
        reinterpret_cast<TFind*>(l)->Found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.Found;
}

// Runs func once a tracked menu (the system's menu window) is open, checking
// every 20 ms: keys sent before the menu loop runs would go elsewhere.
inline void WhenMenuOpen(std::function<void()> func, int triesLeft = 250) {
  RunLater(20, [func = std::move(func), triesLeft]() mutable {
    if (OpenMenuWindow() || triesLeft <= 0) {
      static int session = 0;
      const int mine = ++session;
      func();
      // Keys lost on a loaded machine would leave the menu's modal loop
      // running until the test's timeout: end it, so the checks fail
      // instead. Only this menu's, if no later one has been handled since.
      RunLater(15000, [mine] {
        if (mine == session && OpenMenuWindow()) ::EndMenu();
      });
    } else {
      WhenMenuOpen(std::move(func), triesLeft - 1);
    }
  });
}

// Runs func with the first visible top-level window of this thread whose
// caption is caption, once it is there (checking every 20 ms): the common
// dialogs take a moment to come up.
inline void WhenWindow(const std::string& caption, std::function<void(HWND)> func,
                       int triesLeft = 250) {
  RunLater(20, [caption, func = std::move(func), triesLeft]() mutable {
    struct TFind {
      const std::string* Caption;
      HWND Found;
    } find{&caption, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND wnd, LPARAM data) -> BOOL {
          auto* f = reinterpret_cast<TFind*>(data);
          char text[256] = {};
          ::GetWindowTextA(wnd, text, sizeof text);
          if (::IsWindowVisible(wnd) && *f->Caption == text) {
            f->Found = wnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    if (find.Found || triesLeft <= 0)
      func(find.Found);
    else
      WhenWindow(caption, std::move(func), triesLeft - 1);
  });
}
