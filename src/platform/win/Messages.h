// Window messages as our controls see them, and the private message numbers
// of the component layer.
#pragma once

#include "platform/Keys.h"
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
// A key no form's shortcut took, offered to the application window's hooks
// (wParam and lParam of the key message); a hook that used it returns 1.
constexpr UINT CM_APPKEYDOWN = 0xB016;
constexpr UINT CN_BASE = 0xBC00;         // notifications reflected from the parent to the child
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
// WM_CTLCOLORMSGBOX .. WM_CTLCOLORSTATIC, reflected: the child answers its
// own colours.
constexpr UINT CN_CTLCOLORFIRST = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORLAST = CN_BASE + WM_CTLCOLORSTATIC;

// The signed coordinates packed in a mouse message's LPARAM (negative when the
// mouse is captured and left the window to the left or above).
inline int SignedLo(LPARAM l) { return static_cast<short>(LOWORD(static_cast<DWORD_PTR>(l))); }
inline int SignedHi(LPARAM l) { return static_cast<short>(HIWORD(static_cast<DWORD_PTR>(l))); }

// The shift state of a mouse message: its MK_ flags plus the Alt key, which
// mouse messages do not carry.
inline TShiftState MouseShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (::GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}
