// THexEditWindow: the hex view's window. It owns a THexEditor (the portable
// view) and is its host: messages become calls of the view's entry points,
// and the view's requests become window-system calls -- painting through
// GDI, the bitmap caret, scroll bars, capture, the hourglass and the posted
// state-change message (WM_USER + 2, wParam 7), whose handler fires the
// view's OnStateChanged. No exception leaves a message handler.
//
// As a control it publishes what a grid control of the window system
// would: its place (Align), border, scroll bars, Tab stop and order, popup
// menu, hints and font (the view's font: "Courier" 12 unless set).
#pragma once

#include "hexedit/HexEditor.h"
#include "hexedit/HexHost.h"
#include "platform/win/Controls.h"
#include "platform/win/Forms.h"
#include "platform/win/StdCtrls.h"

class THexEditWindow : public TCustomControl, public IHexEditorHost {
public:
  static constexpr UINT kStateMessage = WM_USER + 2;
  static constexpr WPARAM kStateChanged = 7;

  explicit THexEditWindow(TComponent* owner);
  ~THexEditWindow() override;

  THexEditor* GetHex() const { return FHex; }

  // --- published ---
  // bsSingle draws a border: sunken with Ctl3D, a flat line without.
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool value);
  // Our forms keep no 3-D setting of their own to follow, so this is only
  // stored; setting Ctl3D clears it, as choosing one's own look does.
  bool GetParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool value) { FParentCtl3D = value; }
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  int GetGridLineWidth() const { return FHex->Grid().GetGridLineWidth(); }

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

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
  void FontChanged() override;

private:
  void Dispatch(TMessage& msg);
  void ScrollMessage(TMessage& msg, bool vertical);

  THexEditor* FHex = nullptr;  // owned (a component of this window)
  HBITMAP FCaretBitmap = nullptr;
  static constexpr POINT kCaretUnknown{-32768, -32768};
  POINT FCaretAt = kCaretUnknown;  // where the caret was put last
  HCURSOR FSavedCursor = nullptr;
  int FWaitDepth = 0;
  TBorderStyle FBorderStyle = bsSingle;
  bool FCtl3D = false;
  bool FParentCtl3D = true;
  TScrollStyle FScrollBars = ssBoth;
};
