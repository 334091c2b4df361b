#include "kit/win/RxSplit.h"

#include "kit/SplitGeometry.h"
#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"

#include <algorithm>

namespace {
// The splitter being dragged, for the thread's key hook (one drag at a time:
// there is one mouse).
TRxSplitter* gDragging = nullptr;
}  // namespace

TRxSplitter::TRxSplitter(TComponent* owner) : TPanel(owner) {
  FWidth = 185;
  FHeight = 3;
  SetBevelOuter(bvNone);
  SetCaption("");
}

TRxSplitter::~TRxSplitter() {
  if (FActive) {
    FEnding = true;
    EndDrag();
  }
}

TControl* TRxSplitter::ValidNeighbour(TControl* control) const {
  if (!control || control == this || dynamic_cast<TForm*>(control)) return nullptr;
  return control;
}

void TRxSplitter::SetControlFirst(TControl* control) {
  control = ValidNeighbour(control);
  if (control == FControlFirst) return;
  if (FControlFirst && FControlFirst != FControlSecond) FControlFirst->RemoveFreeNotification(this);
  FControlFirst = control;
  if (control) control->FreeNotification(this);
  UpdateCursor();
}

void TRxSplitter::SetControlSecond(TControl* control) {
  control = ValidNeighbour(control);
  if (control == FControlSecond) return;
  if (FControlSecond && FControlSecond != FControlFirst) FControlSecond->RemoveFreeNotification(this);
  FControlSecond = control;
  if (control) control->FreeNotification(this);
  UpdateCursor();
}

void TRxSplitter::Notification(TComponent* component, TOperation operation) {
  TPanel::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FControlFirst || component == FControlSecond) {
    if (FActive) CancelDrag();
    if (component == FControlFirst) FControlFirst = nullptr;
    if (component == FControlSecond) FControlSecond = nullptr;
    UpdateCursor();
  }
}

void TRxSplitter::Loaded() {
  TPanel::Loaded();
  UpdateCursor();
}

int TRxSplitter::SplitStyle() const {
  return ::SplitStyle(FControlFirst != nullptr, FControlFirst ? FControlFirst->GetAlign() : alNone,
                      FControlSecond != nullptr, FControlSecond ? FControlSecond->GetAlign() : alNone,
                      GetAlign());
}

void TRxSplitter::UpdateCursor() {
  const int style = SplitStyle();
  SetCursor(style == 1 || style == 2 ? crVSplit : style == 3 || style == 4 ? crHSplit : crDefault);
}

void TRxSplitter::SetAlign(TAlign align) {
  const TAlign old = GetAlign();
  TPanel::SetAlign(align);
  if (old == alNone || old == alClient) {
    if (align == alTop || align == alBottom) SetHeight(3);
    if (align == alLeft || align == alRight) SetWidth(3);
  }
  if (!FControlFirst && !FControlSecond && GetParent()) {
    TPoint p;
    switch (align) {
      case alTop: p = TPoint(FLeft + FWidth / 2, FTop - 1); break;
      case alBottom: p = TPoint(FLeft + FWidth / 2, FTop + FHeight); break;
      case alLeft: p = TPoint(FLeft - 1, FTop + FHeight / 2); break;
      case alRight: p = TPoint(FLeft + FWidth, FTop + FHeight / 2); break;
      default: UpdateCursor(); return;
    }
    TWinControl* parent = GetParent();
    for (int i = 0; i < parent->GetControlCount(); ++i) {
      TControl* c = parent->GetControl(i);
      if (c != this && c->GetBoundsRect().Contains(p)) {
        SetControlFirst(c);
        break;
      }
    }
  }
  UpdateCursor();
}

void TRxSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TPanel::MouseDown(button, shift, x, y);
  if (button == mbLeft && !FActive) StartDrag(x, y);
}

void TRxSplitter::StartDrag(int x, int y) {
  FStyle = SplitStyle();
  if (FStyle == 0 || !GetParent()) return;
  TForm* form = GetParentForm(this);
  if (!form) return;
  FActive = true;
  FEnding = false;
  gDragging = this;
  FSavedShowHint = Application->GetShowHint();
  Application->SetShowHint(false);
  ::SetCapture(GetHandle());
  // Escape must end the drag whichever control has the focus; a thread key
  // hook sees it before any control does and leaves every other key alone.
  FKeyHook = ::SetWindowsHookExA(WH_KEYBOARD, &KeyHookProc, nullptr, ::GetCurrentThreadId());
  FDownPos = TPoint(x, y);
  FLimits = SplitLimits(GetParent()->GetClientRect(), FTopLeftLimit, FBottomRightLimit,
                        TPoint(FLeft, FTop));
  FFormWnd = form->GetHandle();
  FDC = ::GetDCEx(FFormWnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
  const int thickness = SplitIsVertical(FStyle) ? FHeight : FWidth;
  FPen = ::CreatePen(PS_SOLID, std::max(2, thickness - 2), RGB(255, 255, 255));
  FOldPen = ::SelectObject(FDC, FPen);
  FOldRop = ::SetROP2(FDC, R2_XORPEN);
  FRefused = false;
  FLast = TPoint(0, 0);
  FLineDrawn = false;
  DrawLine(FLast);
}

TPoint TRxSplitter::Prospective(int x, int y, bool& clamped) const {
  // Only the moving direction counts: the line always spans the bar.
  const bool vertical = SplitIsVertical(FStyle);
  const TPoint p(vertical ? 0 : x - FDownPos.X, vertical ? y - FDownPos.Y : 0);
  TPoint r = ClampSplitPosition(p, FLimits, TSize(FWidth, FHeight), FStyle, clamped);
  (vertical ? r.X : r.Y) = 0;
  return r;
}

bool TRxSplitter::AskPosChanging(TPoint p) {
  bool allow = true;
  if (!OnPosChanging) return true;
  try {
    OnPosChanging(this, p.X, p.Y, allow);
  } catch (...) {
    CancelDrag();
    throw;
  }
  return allow;
}

void TRxSplitter::DrawLine(TPoint p) {
  // The line at the middle of the bar's thickness, in the form's client area.
  const bool vertical = SplitIsVertical(FStyle);
  TPoint from = vertical ? TPoint(p.X, p.Y + FHeight / 2) : TPoint(p.X + FWidth / 2, p.Y);
  TPoint to = vertical ? TPoint(p.X + FWidth, from.Y) : TPoint(from.X, p.Y + FHeight);
  POINT pts[2] = {{from.X, from.Y}, {to.X, to.Y}};
  ::MapWindowPoints(GetHandle(), FFormWnd, pts, 2);
  // Kept inside the parent's client area.
  RECT pr{};
  ::GetClientRect(GetParent()->GetHandle(), &pr);
  ::MapWindowPoints(GetParent()->GetHandle(), FFormWnd, reinterpret_cast<POINT*>(&pr), 2);
  for (auto& pt : pts) {
    pt.x = std::clamp<LONG>(pt.x, pr.left, pr.right);
    pt.y = std::clamp<LONG>(pt.y, pr.top, pr.bottom);
  }
  ::MoveToEx(FDC, pts[0].x, pts[0].y, nullptr);
  ::LineTo(FDC, pts[1].x, pts[1].y);
  FLineAt = TPoint(pts[0].x, pts[0].y);
}

void TRxSplitter::MouseMove(TShiftState shift, int x, int y) {
  TPanel::MouseMove(shift, x, y);
  if (!FActive || ::GetCapture() != FHandle) return;
  bool clamped = false;
  const TPoint p = Prospective(x, y, clamped);
  const bool allow = AskPosChanging(p);
  if (!FActive) return;
  const bool refused = !allow || clamped;
  if (refused != FRefused) {
    FRefused = refused;
    const TCursor c = refused ? crNoDrop : GetCursor();
    ::SetCursor(Screen->GetCursors(c));
  }
  const bool moved = SplitIsVertical(FStyle) ? p.Y != FLast.Y : p.X != FLast.X;
  if (!moved) return;
  DrawLine(FLast);  // erase: the same line again under exclusive-or
  FLast = p;
  DrawLine(FLast);
}

void TRxSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TPanel::MouseUp(button, shift, x, y);
  if (!FActive || button != mbLeft) return;
  bool clamped = false;
  TPoint p = Prospective(x, y, clamped);
  const bool allow = AskPosChanging(p);
  if (!FActive) return;
  // A refused release keeps where the line last stood.
  if (!allow) p = FLast;
  FEnding = true;
  EndDrag();
  ApplySize(p);
  if (OnPosChanged) OnPosChanged(this);
}

void TRxSplitter::CancelDrag() {
  if (!FActive || FEnding) return;
  FEnding = true;
  EndDrag();
}

void TRxSplitter::EndDrag() {
  if (FDC) {
    DrawLine(FLast);
    ::SetROP2(FDC, FOldRop);
    ::SelectObject(FDC, FOldPen);
    ::ReleaseDC(FFormWnd, FDC);
    FDC = nullptr;
  }
  if (FPen) ::DeleteObject(FPen);
  FPen = nullptr;
  if (FKeyHook) ::UnhookWindowsHookEx(FKeyHook);
  FKeyHook = nullptr;
  FActive = false;
  if (gDragging == this) gDragging = nullptr;
  if (FHandle && ::GetCapture() == FHandle) ::ReleaseCapture();
  if (Application) Application->SetShowHint(FSavedShowHint);
  if (FRefused) ::SetCursor(Screen->GetCursors(GetCursor()));
  FRefused = false;
  FEnding = false;
}

void TRxSplitter::ApplySize(TPoint offset) {
  TControl* target = SplitResizesFirst(FStyle) ? FControlFirst : FControlSecond;
  if (!target || !GetParent()) return;
  const auto aligned = [&](TAlign a) {
    return (FControlFirst && FControlFirst->GetAlign() == a) ||
           (FControlSecond && FControlSecond->GetAlign() == a);
  };
  const bool vertical = SplitIsVertical(FStyle);
  const TRect client = GetParent()->GetClientRect();
  const int size = SplitNewSize(FStyle, vertical ? target->GetHeight() : target->GetWidth(), offset,
                                aligned(alRight), aligned(alBottom),
                                vertical ? client.Height() : client.Width(),
                                vertical ? FHeight : FWidth);
  if (vertical)
    target->SetHeight(size);
  else
    target->SetWidth(size);
  GetParent()->Realign();
}

LRESULT CALLBACK TRxSplitter::KeyHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == VK_ESCAPE && gDragging) {
    const bool down = (lParam & 0x80000000) == 0;
    if (down) {
      try {
        gDragging->CancelDrag();
      } catch (...) {
        HandleCallbackException(nullptr);
      }
    }
    return 1;  // the key ends the drag, nothing else
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void TRxSplitter::WndProc(TMessage& msg) {
  if (msg.Msg == WM_LBUTTONUP && FActive) {
    // The panel gives the capture back before MouseUp runs; that is the end
    // of this drag, not the loss of the capture.
    FReleasing = true;
    struct TReset {
      bool& Flag;
      ~TReset() { Flag = false; }
    } reset{FReleasing};
    TPanel::WndProc(msg);
    if (FActive) CancelDrag();
    return;
  }
  // Another window took the mouse: the drag cannot go on.
  if (msg.Msg == WM_CAPTURECHANGED && FActive && !FEnding && !FReleasing &&
      reinterpret_cast<HWND>(msg.LParam) != FHandle) {
    CancelDrag();
  } else if (msg.Msg == WM_CANCELMODE && FActive) {
    CancelDrag();
  }
  TPanel::WndProc(msg);
}

const TClassInfo& TRxSplitter::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TRxSplitter", &TPanel::StaticClassInfo())
          .Integer("TopLeftLimit", &TRxSplitter::GetTopLeftLimit, &TRxSplitter::SetTopLeftLimit)
          .Integer("BottomRightLimit", &TRxSplitter::GetBottomRightLimit,
                   &TRxSplitter::SetBottomRightLimit);
  return info;
}
const TClassInfo* TRxSplitter::ClassInfo() const { return &StaticClassInfo(); }
