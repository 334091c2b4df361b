// Window messages as our controls see them, and the private message numbers
// of the component layer.
#pragma once

#include "platform/win/WinApi.h"

// One message on its way through a window procedure; handlers set Result.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// A key message (WM_KEYDOWN, WM_SYSKEYDOWN, ...) as the shortcut events get it.
struct TWMKey {
  UINT Msg = 0;
  WORD CharCode = 0;
  LPARAM KeyData = 0;
  LRESULT Result = 0;
};

// Private messages of the component layer. They stay below 0xB000..0xBFFF's
// upper part, which the window hooks use for their own (0xB052, 0xB053).
constexpr UINT CM_RELEASE = 0xB001;      // a form asks to be destroyed after its handler returns
constexpr UINT CN_BASE = 0xBC00;         // notifications reflected from the parent to the child
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
