// TktEditWindow: the editing control's window. It owns a TktCustomEdit (the
// portable control, named by whoever makes the window) and is its host: it
// turns the window's messages into calls of the control's entry points and
// answers the control's requests with the window system -- painting through
// GDI, the caret, scroll bars, the wheel, mouse capture, timers, dragging
// the selection, the input method, the clipboard and files dropped from the
// shell (OnDropFiles). No exception leaves a message handler: the
// component layer's window procedure reports it through the application.
#pragma once

#include <string>

#include "editor/CustomEdit.h"
#include "editor/EditHost.h"
#include "platform/win/Controls.h"

class TktEditWindow : public TCustomControl, public IktEditHost {
public:
  explicit TktEditWindow(TComponent* owner);
  ~TktEditWindow() override;

  // The control, owned by this window for its whole life.
  TktCustomEdit* GetEdit() const { return FEdit; }

  // The window's Color and Font are the control's: setting either sets the
  // control's (set the control's own directly and the window's go stale).
  // Published with them: RightEdge, RightEdgeColor and SelectedColor, so a
  // form's stored settings can keep an editor's look.
  void SetColor(TColor color) override;
  int GetRightEdge() const { return FEdit->GetRightEdge(); }
  void SetRightEdge(int value) { FEdit->SetRightEdge(value); }
  TColor GetRightEdgeColor() const { return FEdit->GetRightEdgeColor(); }
  void SetRightEdgeColor(TColor value) { FEdit->SetRightEdgeColor(value); }
  TktSelectedColor* GetSelectedColor() const { return FEdit->GetSelectedColor(); }
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  // --- IktEditHost -------------------------------------------------------------
  bool HandleAllocated() const override { return TWinControl::HandleAllocated(); }
  bool IsVisible() const override;
  bool Focused() const override { return TWinControl::Focused(); }
  void SetFocus() override;
  int GetClientWidth() const override { return TControl::GetClientWidth(); }
  int GetClientHeight() const override { return TControl::GetClientHeight(); }
  void InvalidateRect(const TRect& rect) override;
  void Update() override;
  void ScrollWindow(int dx, int dy) override;
  void RecreateWindow() override { RecreateWnd(); }
  // The component layer has no popup menus yet.
  bool HasPopupMenu() const override { return GetPopupMenu() != nullptr; }
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
  bool HasCapture() const override;
  // Drags the selection inside this window: until the button goes up the
  // control hears DragOver and, on a release inside the window, DragDrop.
  void BeginDrag() override;
  void StartTimer(int id, int intervalMs) override;
  void StopTimer(int id) override;
  bool ClipboardHasFormat(TktClipboardFormat format) const override;
  bool GetClipboardData(TktClipboardFormat format, std::string& data) override;
  bool SetClipboardData(std::string_view text, std::string_view block) override;
  bool AskYesNo(const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  // The hint's right edge goes at point.X, its top at point.Y (client
  // coordinates); at most 200 pixels wide.
  void ShowScrollHint(const std::string& text, TPoint point) override;
  void HideScrollHint() override;
  TSize GetDragThreshold() const override;
  int GetWheelScrollLines() const override;

  bool IsDragging() const { return FDragging; }

protected:
  void FontChanged() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& msg) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  // After the platform's handling (OnKeyDown, OnKeyPress), the control's.
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;

private:
  void DropFiles(TMessage& msg);
  void ImeComposition(TMessage& msg);
  void ImeSetCompositionFont();
  void ScrollMessage(TMessage& msg, bool vertical);
  bool SetCursorMessage(TMessage& msg);
  HWND ClipboardOwner() const;
  void DragMouseMove(TShiftState shift, int x, int y);
  void EndDrag(TShiftState shift, int x, int y);

  TktCustomEdit* FEdit = nullptr;  // owned (a component of this window)
  bool FDragging = false;
  bool FDragInside = false;
  TPoint FLastDblClick;  // where the last double click happened
};
