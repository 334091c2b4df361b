// A hidden window that hands its messages to a function: what
// timers, the window-hook list and socket components receive their private
// messages and WM_TIMER through.
#pragma once

#include "platform/win/Messages.h"

#include <functional>

class TUtilityWindow {
public:
  // handler returns true when it handled the message (Result is then
  // returned), false to let the default window procedure have it.
  // Exceptions thrown by the handler are reported through the application.
  // A message-only window by default; a hidden top-level one when the
  // window must own something, such as a pop-up menu being tracked.
  explicit TUtilityWindow(std::function<bool(TMessage&)> handler, bool messageOnly = true);
  ~TUtilityWindow();
  TUtilityWindow(const TUtilityWindow&) = delete;
  TUtilityWindow& operator=(const TUtilityWindow&) = delete;

  HWND Handle() const { return FHandle; }

private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND FHandle = nullptr;
  std::function<bool(TMessage&)> FHandler;
};
