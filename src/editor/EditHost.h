// IktEditHost: everything the portable editing control asks of its window.
// The Win32 half implements it over a real window (and turns the window's
// messages into calls of the control's portable entry points); tests use
// TktRecordingEditHost, which remembers every call. A control without a host
// behaves as a control whose window does not exist yet.
//
// Coordinates are client pixels. Nothing here raises: a failing platform
// call is a result (false) the control turns into its own error.
#pragma once

#include <string>
#include <string_view>

#include "editor/EditTypes.h"
#include "platform/Types.h"

enum TktClipboardFormat : uint8_t {
  kcfText,   // plain text, NUL-terminated
  kcfBlock,  // the control's private block: mode byte, text, NUL
};

class IktEditHost {
public:
  virtual ~IktEditHost() = default;

  // --- the window ---
  virtual bool HandleAllocated() const = 0;  // the window exists
  virtual bool IsVisible() const = 0;        // the control is showing
  virtual bool Focused() const = 0;
  virtual void SetFocus() = 0;
  virtual int GetClientWidth() const = 0;
  virtual int GetClientHeight() const = 0;
  // Marks an area for painting (the paint comes later, or at Update).
  virtual void InvalidateRect(const TRect& rect) = 0;
  // Paints what is invalid now.
  virtual void Update() = 0;
  // Moves the pixels of the client area by (dx, dy) and invalidates what
  // the move uncovers.
  virtual void ScrollWindow(int dx, int dy) = 0;
  // Makes the window again after a change of frame or scroll-bar style.
  virtual void RecreateWindow() = 0;
  // The control has a popup menu (a right press then only opens it).
  virtual bool HasPopupMenu() const = 0;
  // Switches acceptance of files dropped from the shell.
  virtual void DragAcceptFiles(bool accept) = 0;

  // --- scroll bars: shown disabled rather than hidden when nothing scrolls ---
  virtual void SetScrollBar(TktScrollBar bar, int min, int max, int page, int pos) = 0;

  // --- the caret (one per focused window) ---
  virtual void CreateCaret(int width, int height) = 0;  // replaces the old one, hidden
  virtual void DestroyCaret() = 0;
  virtual void SetCaretPos(int x, int y) = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;
  // Where the input method's composition window goes.
  virtual void SetImeCompositionPos(int x, int y) = 0;

  // --- the mouse ---
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual bool HasCapture() const = 0;
  // Starts the platform's drag of the selection (it begins once the mouse
  // moves on; DragOver and DragDrop report it back).
  virtual void BeginDrag() = 0;

  // --- timers: TimerTick(id) of the control fires every intervalMs until
  // stopped; starting a running id again changes its interval ---
  virtual void StartTimer(int id, int intervalMs) = 0;
  virtual void StopTimer(int id) = 0;

  // --- the clipboard ---
  virtual bool ClipboardHasFormat(TktClipboardFormat format) const = 0;
  // The data of a format without its NUL; false when it cannot be read.
  virtual bool GetClipboardData(TktClipboardFormat format, std::string& data) = 0;
  // Empties the clipboard and places text as plain text and then, only when
  // that worked, block as the private format (the host adds each NUL).
  // False when either could not be placed.
  virtual bool SetClipboardData(std::string_view text, std::string_view block) = 0;

  // --- messages ---
  // A warning box with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  virtual void ShowMessage(const std::string& text) = 0;
  // The one scroll hint window, showing text near point (the control's
  // right edge less 4 pixels, 10 pixels from its top).
  virtual void ShowScrollHint(const std::string& text, TPoint point) = 0;
  virtual void HideScrollHint() = 0;

  // --- system settings ---
  // The rectangle around a press the mouse must leave before a drag starts.
  virtual TSize GetDragThreshold() const = 0;
  // Lines per wheel notch; -1 means a page.
  virtual int GetWheelScrollLines() const = 0;
};
