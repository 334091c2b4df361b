// IHexEditorHost: everything the portable hex view asks of its window. The
// Win32 half implements it over a real window; tests use
// THexRecordingHost, which remembers every call. A view without a host
// behaves as one whose window does not exist yet. Nothing here raises.
#pragma once

#include "platform/Graphics.h"
#include "platform/Types.h"

enum THexScrollBar { hsbHorizontal, hsbVertical };

// The caret as the view describes it: a bitmap Width x Height, black, with
// the rectangle Fill painted in FillColor (the caret inverts what lies under
// it through that bitmap).
struct THexCaretShape {
  int Width = 0;
  int Height = 0;
  TRect Fill;
  TColor FillColor = clBlack;
  bool operator==(const THexCaretShape&) const = default;
};

class IHexEditorHost {
public:
  virtual ~IHexEditorHost() = default;

  // --- the window ---
  virtual bool HandleAllocated() const = 0;
  virtual bool Focused() const = 0;
  virtual int GetClientWidth() const = 0;
  virtual int GetClientHeight() const = 0;
  virtual void InvalidateRect(const TRect& rect) = 0;
  virtual void InvalidateAll() = 0;
  // Moves the client area's pixels by (dx, dy); what is uncovered is invalid.
  virtual void ScrollWindow(int dx, int dy) = 0;
  // Shown disabled rather than hidden when nothing scrolls.
  virtual void SetScrollBar(THexScrollBar bar, int max, int page, int pos) = 0;
  // Stops and resumes painting of the window while a change is made.
  virtual void LockUpdates(bool lock) = 0;

  // --- the caret ---
  virtual void CreateCaret(const THexCaretShape& shape) = 0;
  virtual void DestroyCaret() = 0;
  virtual void SetCaretPos(int x, int y) = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;

  // --- the mouse ---
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  // The hourglass while a long file operation runs (calls nest).
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;

  // --- notification ---
  // Posts the view's own state-change message; its handler calls
  // THexEditor::StateChangedMessage.
  virtual void PostStateChange() = 0;
};

// The hourglass for the length of a file operation, however it ends.
class THexWaitCursor {
public:
  explicit THexWaitCursor(IHexEditorHost* host) : FHost(host) {
    if (FHost) FHost->BeginWaitCursor();
  }
  ~THexWaitCursor() {
    if (FHost) FHost->EndWaitCursor();
  }
  THexWaitCursor(const THexWaitCursor&) = delete;
  THexWaitCursor& operator=(const THexWaitCursor&) = delete;

private:
  IHexEditorHost* FHost;
};
