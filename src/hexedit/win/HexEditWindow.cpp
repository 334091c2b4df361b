// The hex view's window: messages in, window-system calls out.
#include "hexedit/win/HexEditWindow.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Menus.h"

namespace {

TShiftState MouseKeys(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (::GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

}  // namespace

THexEditWindow::THexEditWindow(TComponent* owner) : TCustomControl(owner) {
  FHex = new THexEditor(this);
  // Text is measured in the view's font on the screen's context.
  FHex->SetTextMeasure([](const TFontData& font, std::string_view text) {
    HDC dc = ::GetDC(nullptr);
    TSize size;
    {
      TCanvas canvas(dc);
      canvas.SetFont(font);
      size = canvas.TextExtent(text);
    }
    ::ReleaseDC(nullptr, dc);
    return size;
  });
  FHex->SetHost(this);
  SetTabStop(true);
  SetColor(FHex->GetColors()->GetBackground());
  // The control's font is the view's: one font, whichever face sets it.
  SetFont(FHex->GetFont());
  FWidth = 300;
  FHeight = 200;
}

THexEditWindow::~THexEditWindow() {
  DestroyHandle();
  FHex->SetHost(nullptr);
  if (FCaretBitmap) ::DeleteObject(FCaretBitmap);
}

void THexEditWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) params.Style |= WS_HSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) params.Style |= WS_VSCROLL;
  if (FBorderStyle == bsSingle) {
    if (FCtl3D)
      params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      params.Style |= WS_BORDER;
  }
  params.Cursor = ::LoadCursor(nullptr, IDC_IBEAM);
}

void THexEditWindow::SetBorderStyle(TBorderStyle value) {
  value = value == bsNone ? bsNone : bsSingle;
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  if (TWinControl::HandleAllocated()) RecreateWnd();
}

void THexEditWindow::SetCtl3D(bool value) {
  FParentCtl3D = false;
  if (FCtl3D == value) return;
  FCtl3D = value;
  if (TWinControl::HandleAllocated()) RecreateWnd();
}

void THexEditWindow::SetScrollBars(TScrollStyle value) {
  if (FScrollBars == value) return;
  FScrollBars = value;
  if (TWinControl::HandleAllocated()) RecreateWnd();
}

void THexEditWindow::FontChanged() {
  FHex->SetFont(GetFont());
  Invalidate();
}

const TClassInfo& THexEditWindow::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("THexEditWindow", &TControl::StaticClassInfo())
          .Enum("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
                &TControl::GetAlign, &TControl::SetAlign)
          .Enum("BorderStyle", {"bsNone", "bsSingle"}, &THexEditWindow::GetBorderStyle,
                &THexEditWindow::SetBorderStyle)
          .Bool("Ctl3D", &THexEditWindow::GetCtl3D, &THexEditWindow::SetCtl3D)
          .Integer("GridLineWidth", &THexEditWindow::GetGridLineWidth)
          .Bool("ParentCtl3D", &THexEditWindow::GetParentCtl3D, &THexEditWindow::SetParentCtl3D)
          .Bool("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint)
          .Object("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu)
          .Enum("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"},
                &THexEditWindow::GetScrollBars, &THexEditWindow::SetScrollBars)
          .Integer("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder)
          .Bool("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop);
  return info;
}
const TClassInfo* THexEditWindow::ClassInfo() const { return &StaticClassInfo(); }

void THexEditWindow::CreateWnd() {
  TCustomControl::CreateWnd();
  FHex->HandleCreated();
  FHex->Resized();
}

void THexEditWindow::DestroyWnd() {
  if (FCaretBitmap) {
    ::DestroyCaret();
    ::DeleteObject(FCaretBitmap);
    FCaretBitmap = nullptr;
  }
  TCustomControl::DestroyWnd();
}

void THexEditWindow::Paint() { FHex->Paint(*GetCanvas()); }

void THexEditWindow::WndProc(TMessage& msg) {
  // The view's errors end at the window's edge: a failed step is left
  // undone rather than brought down the message loop.
  try {
    Dispatch(msg);
  } catch (const Exception& e) {
    msg.Result = 0;
    if (Application) Application->ShowException(e);
  } catch (const std::exception& e) {
    msg.Result = 0;
    if (Application) Application->ShowException(Exception(e.what()));
  }
}

void THexEditWindow::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case WM_ERASEBKGND:
      msg.Result = 1;  // painting covers every pixel
      return;
    case WM_GETDLGCODE:
      msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (FHex->GetWantTabs()) msg.Result |= DLGC_WANTTAB;
      return;
    case kStateMessage:
      if (msg.WParam == kStateChanged) FHex->StateChangedMessage();
      msg.Result = 0;
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      ScrollMessage(msg, msg.Msg == WM_VSCROLL);
      return;
    case WM_SIZE:
      TCustomControl::WndProc(msg);
      FHex->Resized();
      return;
    case WM_SETFOCUS:
      TCustomControl::WndProc(msg);
      FHex->FocusChanged(true);
      return;
    case WM_KILLFOCUS:
      TCustomControl::WndProc(msg);
      FHex->FocusChanged(false);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TCustomControl::WndProc(msg);
      if (!Focused()) TWinControl::SetFocus();
      TShiftState shift = MouseKeys(msg.WParam);
      if (msg.Msg == WM_LBUTTONDBLCLK) shift.Include(ssDouble);
      FHex->MouseDown(mbLeft, shift, short(LOWORD(msg.LParam)), short(HIWORD(msg.LParam)));
      return;
    }
    case WM_MOUSEMOVE:
      TCustomControl::WndProc(msg);
      FHex->MouseMove(MouseKeys(msg.WParam), short(LOWORD(msg.LParam)), short(HIWORD(msg.LParam)));
      return;
    case WM_LBUTTONUP:
      TCustomControl::WndProc(msg);
      FHex->MouseUp(mbLeft, MouseKeys(msg.WParam), short(LOWORD(msg.LParam)), short(HIWORD(msg.LParam)));
      return;
    case WM_SYSKEYUP:
      // Alt let go after a code on the keypad: the character that follows
      // is an OEM code.
      if (msg.WParam == VK_MENU) FHex->KeyUp(VK_MENU, TShiftState());
      break;
    default:
      break;
  }
  TCustomControl::WndProc(msg);
}

void THexEditWindow::ScrollMessage(TMessage& msg, bool vertical) {
  const THexGrid& grid = FHex->Grid();
  const int code = LOWORD(msg.WParam);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ::GetScrollInfo(FHandle, vertical ? SB_VERT : SB_HORZ, &si);
  const int page = std::max(int(si.nPage), 1);
  int pos = si.nPos;
  switch (code) {
    case SB_LINEUP: --pos; break;
    case SB_LINEDOWN: ++pos; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: msg.Result = 0; return;
  }
  if (vertical)
    FHex->ScrollToRow(pos);
  else
    FHex->ScrollToCol(pos + grid.GetFixedCols());
  msg.Result = 0;
}

void THexEditWindow::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key != 0 && FHex->KeyDown(key, shift)) key = 0;
}

void THexEditWindow::KeyUp(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyUp(key, shift);
  if (key != 0 && key != VK_MENU) FHex->KeyUp(key, shift);
}

void THexEditWindow::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (key != 0 && uint8_t(key) >= 32) FHex->KeyPress(key);
}

// --- IHexEditorHost ---------------------------------------------------------------

void THexEditWindow::InvalidateRect(const TRect& rect) { TWinControl::InvalidateRect(rect); }

void THexEditWindow::InvalidateAll() { Invalidate(); }

void THexEditWindow::ScrollWindow(int dx, int dy) {
  FCaretAt = kCaretUnknown;  // the system moves the caret with the pixels
  if (!TWinControl::HandleAllocated()) return;
  ::ScrollWindowEx(FHandle, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
}

void THexEditWindow::SetScrollBar(THexScrollBar bar, int max, int page, int pos) {
  if (!TWinControl::HandleAllocated()) return;
  // Setting a bar the window was made without would add it.
  const TScrollStyle needs = bar == hsbHorizontal ? ssHorizontal : ssVertical;
  if (FScrollBars != needs && FScrollBars != ssBoth) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = max;
  si.nPage = UINT(std::max(page, 0));
  si.nPos = pos;
  // Drawing a scroll bar is slow (under Wine a page move cost tens of
  // milliseconds in it), and on a big file a page moves the thumb by less
  // than a pixel. So the bar takes the new values undrawn, and is drawn
  // only when its look changed: the thumb moved or grew, or it was enabled
  // or disabled. Putting the old values back undrawn and then setting the
  // new ones drawn makes the system draw it.
  const int which = bar == hsbHorizontal ? SB_HORZ : SB_VERT;
  const LONG object = bar == hsbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL;
  SCROLLINFO old{};
  old.cbSize = sizeof old;
  old.fMask = SIF_ALL;
  SCROLLBARINFO before{}, after{};
  before.cbSize = after.cbSize = sizeof before;
  const bool known = ::GetScrollInfo(FHandle, which, &old) && ::GetScrollBarInfo(FHandle, object, &before);
  ::SetScrollInfo(FHandle, which, &si, FALSE);
  if (known && ::GetScrollBarInfo(FHandle, object, &after) && after.xyThumbTop == before.xyThumbTop &&
      after.xyThumbBottom == before.xyThumbBottom && after.rgstate[0] == before.rgstate[0] &&
      std::memcmp(&after.rcScrollBar, &before.rcScrollBar, sizeof(RECT)) == 0)
    return;
  if (known) {
    old.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    ::SetScrollInfo(FHandle, which, &old, FALSE);
  }
  ::SetScrollInfo(FHandle, which, &si, TRUE);
}

void THexEditWindow::LockUpdates(bool lock) {
  if (!TWinControl::HandleAllocated()) return;
  ::SendMessageA(FHandle, WM_SETREDRAW, lock ? FALSE : TRUE, 0);
  if (!lock) Invalidate();
}

void THexEditWindow::CreateCaret(const THexCaretShape& shape) {
  if (!TWinControl::HandleAllocated()) return;
  // A black bitmap with the shape in the inverted frame colour: the system
  // inverts the screen through it, so the shape shows in the frame colour.
  const int w = std::max(shape.Width, 1), h = std::max(shape.Height, 1);
  std::vector<uint32_t> bits(size_t(w) * size_t(h), 0);
  const TColor c = shape.FillColor;
  const uint32_t pixel = uint32_t((c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF));
  for (int y = std::max(shape.Fill.Top, 0); y < std::min(shape.Fill.Bottom, h); ++y)
    for (int x = std::max(shape.Fill.Left, 0); x < std::min(shape.Fill.Right, w); ++x)
      bits[size_t(y) * size_t(w) + size_t(x)] = pixel;
  HBITMAP bitmap = ::CreateBitmap(w, h, 1, 32, bits.data());
  ::CreateCaret(FHandle, bitmap, w, h);
  FCaretAt = kCaretUnknown;
  if (FCaretBitmap) ::DeleteObject(FCaretBitmap);
  FCaretBitmap = bitmap;
}

void THexEditWindow::DestroyCaret() {
  ::DestroyCaret();
  FCaretAt = kCaretUnknown;
}
void THexEditWindow::SetCaretPos(int x, int y) {
  // Painting places the caret on every row it paints over; moving it to
  // where it stands would only hide and show it again.
  const POINT at{x, y};
  if (at.x == FCaretAt.x && at.y == FCaretAt.y) return;
  ::SetCaretPos(x, y);
  FCaretAt = at;
}

void THexEditWindow::ShowCaret() {
  if (TWinControl::HandleAllocated()) ::ShowCaret(FHandle);
}

void THexEditWindow::HideCaret() {
  if (TWinControl::HandleAllocated()) ::HideCaret(FHandle);
}

void THexEditWindow::SetCapture() {
  if (TWinControl::HandleAllocated()) ::SetCapture(FHandle);
}

void THexEditWindow::ReleaseCapture() {
  if (TWinControl::HandleAllocated() && ::GetCapture() == FHandle) ::ReleaseCapture();
}

void THexEditWindow::BeginWaitCursor() {
  if (FWaitDepth++ == 0) FSavedCursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void THexEditWindow::EndWaitCursor() {
  if (--FWaitDepth == 0) ::SetCursor(FSavedCursor);
}

void THexEditWindow::PostStateChange() {
  if (TWinControl::HandleAllocated()) ::PostMessageA(FHandle, kStateMessage, kStateChanged, 0);
}
