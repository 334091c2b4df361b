// Input through the X server, as a person at the display gives it: xdotool
// started from the Win32 tests. Its end cannot be waited for from the Wine
// side, so callers wait for what it does.
#pragma once

#include "platform/win/WinApi.h"

#include <gtest/gtest.h>

#include <string>

inline void RunX(const std::string& args) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "Z:\\usr\\bin\\xdotool " + args;
  ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  if (pi.hProcess) ::CloseHandle(pi.hProcess);
  if (pi.hThread) ::CloseHandle(pi.hThread);
}

// A left click (two with double) at a screen point.
inline void XClickAt(int x, int y, bool twice = false) {
  RunX("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click " +
       (twice ? "--repeat 2 --delay 80 " : "") + "1");
}
