// THexEditWindow: the hex view's window. It owns a THexEditor (the portable
// view) and is its host: messages become calls of the view's entry points,
// and the view's requests become window-system calls -- painting through
// GDI, the bitmap caret, scroll bars, capture, the hourglass and the posted
// state-change message (WM_USER + 2, wParam 7), whose handler fires the
// view's OnStateChanged. No exception leaves a message handler.
#pragma once

#include "hexedit/HexEditor.h"
#include "hexedit/HexHost.h"
#include "platform/win/Controls.h"

class THexEditWindow : public TCustomControl, public IHexEditorHost {
public:
  static constexpr UINT kStateMessage = WM_USER + 2;
  static constexpr WPARAM kStateChanged = 7;

  explicit THexEditWindow(TComponent* owner);
  ~THexEditWindow() override;

  THexEditor* GetHex() const { return FHex; }

  // --- IHexEditorHost ---
  bool HandleAllocated() const override { return TWinControl::HandleAllocated(); }
  bool Focused() const override { return TWinControl::Focused(); }
  int GetClientWidth() const override { return TControl::GetClientWidth(); }
  int GetClientHeight() const override { return TControl::GetClientHeight(); }
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

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& msg) override;
  void Paint() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;

private:
  void Dispatch(TMessage& msg);
  void ScrollMessage(TMessage& msg, bool vertical);

  THexEditor* FHex = nullptr;  // owned (a component of this window)
  HBITMAP FCaretBitmap = nullptr;
  HCURSOR FSavedCursor = nullptr;
  int FWaitDepth = 0;
};
