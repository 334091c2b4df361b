// TRxSplitter: a thin bar between two aligned controls that the user drags
// to resize one of them. While dragging it draws an exclusive-or line on the
// parent form and applies the new size on release; Escape, a refusal by
// OnPosChanging that raises, or the loss of the mouse capture end the drag
// without resizing.
#pragma once

#include "platform/win/ExtCtrls.h"

#include <functional>

using TSplitterMoveEvent = std::function<void(TObject* sender, int x, int y, bool& allowChange)>;

class TRxSplitter : public TPanel {
public:
  explicit TRxSplitter(TComponent* owner);
  ~TRxSplitter() override;

  TControl* GetControlFirst() const { return FControlFirst; }
  void SetControlFirst(TControl* control);
  TControl* GetControlSecond() const { return FControlSecond; }
  void SetControlSecond(TControl* control);
  int GetTopLeftLimit() const { return FTopLeftLimit; }
  void SetTopLeftLimit(int v) { FTopLeftLimit = v; }
  int GetBottomRightLimit() const { return FBottomRightLimit; }
  void SetBottomRightLimit(int v) { FBottomRightLimit = v; }
  // Aligning to an edge from none or client makes the bar 3 pixels thick and
  // picks the neighbour on that edge when no control is set.
  void SetAlign(TAlign align);

  // The split style of the current neighbours (0: no splitting).
  int SplitStyle() const;
  bool Dragging() const { return FActive; }
  // Ends a drag without resizing (Escape does this).
  void CancelDrag();

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  TSplitterMoveEvent OnPosChanging;
  TNotifyEvent OnPosChanged;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void WndProc(TMessage& msg) override;

private:
  TControl* ValidNeighbour(TControl* control) const;
  void UpdateCursor();
  void StartDrag(int x, int y);
  // prospective: the bar's new top-left corner in its own coordinates.
  TPoint Prospective(int x, int y, bool& clamped) const;
  bool AskPosChanging(TPoint p);
  void DrawLine(TPoint p);
  // Erases the line, gives back the device context, the capture, the hints
  // and the key hook.
  void EndDrag();
  void ApplySize(TPoint offset);
  static LRESULT CALLBACK KeyHookProc(int code, WPARAM wParam, LPARAM lParam);

  TControl* FControlFirst = nullptr;
  TControl* FControlSecond = nullptr;
  int FTopLeftLimit = 20;
  int FBottomRightLimit = 20;

  bool FActive = false;
  bool FEnding = false;
  bool FReleasing = false;
  int FStyle = 0;
  TPoint FDownPos;
  TRect FLimits;
  TPoint FLast;            // the bar's last drawn prospective position
  bool FLineDrawn = false;
  TPoint FLineAt;          // where the line was drawn (form client coordinates)
  HWND FFormWnd = nullptr;
  HDC FDC = nullptr;
  HPEN FPen = nullptr;
  HGDIOBJ FOldPen = nullptr;
  int FOldRop = 0;
  bool FSavedShowHint = true;
  bool FRefused = false;   // the no-drop cursor shows
  HHOOK FKeyHook = nullptr;
};
