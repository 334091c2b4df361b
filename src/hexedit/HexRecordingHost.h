// THexRecordingHost: a headless window for the hex view. It answers like a
// visible, focused window of a given size, keeps what the view set (caret,
// scroll bars, capture) and logs every call, so tests can check what the
// view asked of its window.
#pragma once

#include <string>
#include <vector>

#include "hexedit/HexHost.h"

class THexRecordingHost : public IHexEditorHost {
public:
  struct TScrollBarState {
    int Max = 0, Page = 0, Pos = 0;
    bool Set = false;
  };

  // --- what the window answers ---
  bool Allocated = true;
  bool HasFocus = true;
  int ClientWidth = 640;
  int ClientHeight = 320;

  // --- what the view did ---
  std::vector<std::string> Calls;
  std::vector<TRect> Invalidated;
  int InvalidatedAll = 0;
  TScrollBarState ScrollBars[2];
  THexCaretShape CaretShape;
  bool CaretCreated = false;
  bool CaretVisible = false;
  TPoint CaretPos;
  bool Captured = false;
  int WaitDepth = 0;
  int MaxWaitDepth = 0;
  int Locks = 0;
  int PostedStateChanges = 0;

  void ClearLog();
  int CountCalls(const std::string& prefix) const;

  bool HandleAllocated() const override { return Allocated; }
  bool Focused() const override { return HasFocus; }
  int GetClientWidth() const override { return ClientWidth; }
  int GetClientHeight() const override { return ClientHeight; }
  void InvalidateRect(const TRect& rect) override;
  void InvalidateAll() override;
  void ScrollWindow(int dx, int dy) override;
  void SetScrollBar(THexScrollBar bar, int max, int page, int pos) override;
  void LockUpdates(bool lock) override;
  void CreateCaret(const THexCaretShape& shape) override;
  void DestroyCaret() override;
  void SetCaretPos(int x, int y) override;
  void ShowCaret() override;
  void HideCaret() override;
  void SetCapture() override;
  void ReleaseCapture() override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void PostStateChange() override;
};
