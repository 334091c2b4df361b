// TktRecordingEditHost: a headless window for the editing control. It
// answers like a visible, focused window of a given size, keeps the state the
// control sets (caret, scroll bars, capture, timers, clipboard, hint) and
// logs every call as a line of text, so tests can check what the control
// asked of its window and in which order.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "editor/EditHost.h"

class TktRecordingEditHost : public IktEditHost {
public:
  struct TScrollBarState {
    int Min = 0, Max = 0, Page = 0, Pos = 0;
    bool Set = false;
    bool operator==(const TScrollBarState&) const = default;
  };

  // --- what the window answers (tests change these freely) ---
  bool Allocated = true;
  bool Visible = true;
  bool HasFocus = true;
  int ClientWidth = 400;
  int ClientHeight = 300;
  bool PopupMenu = false;
  TSize DragThreshold{4, 4};
  int WheelScrollLines = 3;
  // Answers of AskYesNo, oldest first; an empty queue answers No.
  std::deque<bool> YesNoAnswers;
  // When set, SetClipboardData fails (placing nothing) / reading fails.
  bool FailClipboardWrite = false;
  bool FailClipboardRead = false;

  // --- what the control did ---
  std::vector<std::string> Calls;          // every call, e.g. "invalidate 30,0,400,16"
  std::vector<TRect> Invalidated;          // every rectangle, in order
  TScrollBarState ScrollBars[2];           // by TktScrollBar
  bool CaretCreated = false;
  TSize CaretSize;
  TPoint CaretPos;
  bool CaretVisible = false;
  bool Captured = false;
  std::map<int, int> Timers;               // running timers: id -> interval
  std::map<TktClipboardFormat, std::string> Clipboard;
  std::vector<std::string> Questions;      // texts of AskYesNo
  std::vector<std::string> Messages;       // texts of ShowMessage
  std::string HintText;
  TPoint HintPoint;
  bool HintVisible = false;
  bool AcceptsFiles = false;
  int DragsBegun = 0;
  int Updates = 0;

  // Forgets the log (Calls and Invalidated); the state stays.
  void ClearLog();
  // The calls whose text starts with prefix, in order.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

  bool HandleAllocated() const override { return Allocated; }
  bool IsVisible() const override { return Visible; }
  bool Focused() const override { return HasFocus; }
  void SetFocus() override;
  int GetClientWidth() const override { return ClientWidth; }
  int GetClientHeight() const override { return ClientHeight; }
  void InvalidateRect(const TRect& rect) override;
  void Update() override;
  void ScrollWindow(int dx, int dy) override;
  void RecreateWindow() override;
  bool HasPopupMenu() const override { return PopupMenu; }
  void DragAcceptFiles(bool accept) override;
  void SetScrollBar(TktScrollBar bar, int min, int max, int page, int pos) override;
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void SetCaretPos(int x, int y) override;
  void ShowCaret() override;
  void HideCaret() override;
  void SetImeCompositionPos(int x, int y) override;
  void SetCapture() override;
  void ReleaseCapture() override;
  bool HasCapture() const override { return Captured; }
  void BeginDrag() override;
  void StartTimer(int id, int intervalMs) override;
  void StopTimer(int id) override;
  bool ClipboardHasFormat(TktClipboardFormat format) const override;
  bool GetClipboardData(TktClipboardFormat format, std::string& data) override;
  bool SetClipboardData(std::string_view text, std::string_view block) override;
  bool AskYesNo(const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  void ShowScrollHint(const std::string& text, TPoint point) override;
  void HideScrollHint() override;
  TSize GetDragThreshold() const override { return DragThreshold; }
  int GetWheelScrollLines() const override { return WheelScrollLines; }

private:
  void Log(std::string call) { Calls.push_back(std::move(call)); }
};
