// What a tool bar window shows for its button at an index: the text and the
// tool tip.
#pragma once

#include "platform/win/WinApi.h"

#include <commctrl.h>

#include <string>

inline int ToolButtonId(HWND bar, int index) {
  TBBUTTON tb{};
  ::SendMessageA(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&tb));
  return tb.idCommand;
}

inline std::string ToolButtonText(HWND bar, int index) {
  char text[64] = {};
  ::SendMessageA(bar, TB_GETBUTTONTEXTA, ToolButtonId(bar, index), reinterpret_cast<LPARAM>(text));
  return text;
}

// Empty when the bar has no tool tips.
inline std::string ToolButtonTip(HWND bar, int index) {
  HWND tips = reinterpret_cast<HWND>(::SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
  if (!tips) return std::string();
  char tip[80] = {};
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = bar;
  ti.uId = static_cast<UINT_PTR>(ToolButtonId(bar, index));
  ti.lpszText = tip;
  ::SendMessageA(tips, TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&ti));
  return tip;
}
