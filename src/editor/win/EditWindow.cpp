// The editing control's window: messages in, window-system calls out.
#include "editor/win/EditWindow.h"

#include "platform/TypInfo.h"

#include <imm.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "editor/win/EditClipboard.h"
#include "editor/win/GdiTextDrawer.h"
#include "platform/win/Application.h"
#include "platform/win/HintWindow.h"
#include "platform/win/Shell.h"

namespace {

HCURSOR CursorOf(TktCursorKind kind) {
  switch (kind) {
    case kcIBeam: return ::LoadCursor(nullptr, IDC_IBEAM);
    // The gutter's Cursor setting has no other value than the default yet.
    case kcArrow:
    case kcGutter:
    case kcDrag: return ::LoadCursor(nullptr, IDC_ARROW);
    case kcMultiDrag: return ::LoadCursor(nullptr, IDC_UPARROW);
  }
  return ::LoadCursor(nullptr, IDC_ARROW);
}

// The scroll hint: one window for every editor of the program, made on
// first use and owned by the application.
class TScrollHintWindow;
TScrollHintWindow* gScrollHint = nullptr;

class TScrollHintWindow : public THintWindow {
public:
  using THintWindow::THintWindow;
  ~TScrollHintWindow() override {
    if (gScrollHint == this) gScrollHint = nullptr;
  }
};

THintWindow* ScrollHint() {
  if (!gScrollHint && Application) gScrollHint = new TScrollHintWindow(Application);
  return gScrollHint;
}

// The input method's context of a window, released with the object.
class TImeContext {
public:
  explicit TImeContext(HWND wnd) : FWnd(wnd), FContext(::ImmGetContext(wnd)) {}
  ~TImeContext() {
    if (FContext) ::ImmReleaseContext(FWnd, FContext);
  }
  TImeContext(const TImeContext&) = delete;
  TImeContext& operator=(const TImeContext&) = delete;
  HIMC Get() const { return FContext; }

private:
  HWND FWnd;
  HIMC FContext;
};

}  // namespace

TktEditWindow::TktEditWindow(TComponent* owner) : TCustomControl(owner) {
  // The control makes its text drawer as it is made: GDI from the start.
  UseGdiTextDrawer();
  FEdit = new TktCustomEdit(this);
  FEdit->SetHost(this);
  SetTabStop(true);
  FWidth = 200;
  FHeight = 150;
  TCustomControl::SetColor(FEdit->GetColor());
  GetFontObject()->SetData(FEdit->GetFont());
}

const TClassInfo& TktEditWindow::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TktEditWindow", &TCustomControl::StaticClassInfo())
          .Integer("RightEdge", &TktEditWindow::GetRightEdge, &TktEditWindow::SetRightEdge)
          .Integer("RightEdgeColor", &TktEditWindow::GetRightEdgeColor, &TktEditWindow::SetRightEdgeColor)
          .Object("SelectedColor", &TktEditWindow::GetSelectedColor);
  return info;
}
const TClassInfo* TktEditWindow::ClassInfo() const { return &StaticClassInfo(); }

void TktEditWindow::SetColor(TColor color) {
  TCustomControl::SetColor(color);
  FEdit->SetColor(color);
}

void TktEditWindow::FontChanged() {
  // The control paints every character itself: no window font to set.
  FEdit->SetFont(GetFontObject()->GetData());
  Invalidate();
}

TktEditWindow::~TktEditWindow() {
  // The window goes while this object is whole, so the control hears of it;
  // then the control forgets its host before the components are freed.
  DestroyHandle();
  FEdit->SetHost(nullptr);
}

// --- the window --------------------------------------------------------------------

void TktEditWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
  switch (FEdit->GetScrollBars()) {
    case kssHorizontal: params.Style |= WS_HSCROLL; break;
    case kssVertical: params.Style |= WS_VSCROLL; break;
    case kssBoth: params.Style |= WS_HSCROLL | WS_VSCROLL; break;
    case kssNone: break;
  }
  // A single border on a 3-D control is the client edge.
  if (FEdit->GetBorderStyle() == kbsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
  params.Cursor = ::LoadCursor(nullptr, IDC_IBEAM);
}

void TktEditWindow::CreateWnd() {
  TCustomControl::CreateWnd();
  FEdit->HandleCreated();
}

void TktEditWindow::DestroyWnd() {
  FEdit->HandleDestroying();
  if (FDragging) {
    FDragging = false;
    ::ReleaseCapture();
  }
  TCustomControl::DestroyWnd();
}

void TktEditWindow::Paint() { FEdit->Paint(*GetCanvas()); }

void TktEditWindow::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_ERASEBKGND:
      // Painting covers every pixel; erasing first would only flicker.
      msg.Result = 1;
      return;
    case WM_GETDLGCODE:
      msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (FEdit->GetWantTabs() && ::GetKeyState(VK_CONTROL) >= 0) msg.Result |= DLGC_WANTTAB;
      return;
    case WM_CHAR:
      // Alt+Backspace is an editor command; its character is not typed.
      // Nor is the character of a key that became a command, or one that
      // repeats an input method's result.
      if ((msg.WParam == VK_BACK && (msg.LParam & 0x20000000)) || FEdit->SwallowChar()) {
        msg.Result = 0;
        return;
      }
      break;
    case WM_SYSCHAR:
      // The same character as the system sends it while Alt is down.
      if (msg.WParam == VK_BACK) {
        msg.Result = 0;
        return;
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      ScrollMessage(msg, msg.Msg == WM_VSCROLL);
      return;
    case WM_MOUSEWHEEL: {
      const int delta = GET_WHEEL_DELTA_WPARAM(msg.WParam);
      if (FEdit->MouseWheel(delta, MouseShiftState(GET_KEYSTATE_WPARAM(msg.WParam)))) {
        msg.Result = 0;
        return;
      }
      break;
    }
    case WM_SIZE:
      TCustomControl::WndProc(msg);
      FEdit->SizeChanged();
      return;
    case WM_SETCURSOR:
      if (SetCursorMessage(msg)) return;
      break;
    case WM_SETFOCUS:
      TCustomControl::WndProc(msg);
      FEdit->FocusEnter();
      return;
    case WM_KILLFOCUS:
      TCustomControl::WndProc(msg);
      FEdit->FocusExit();
      return;
    case WM_TIMER:
      FEdit->TimerTick(static_cast<int>(msg.WParam));
      msg.Result = 0;
      return;
    case WM_DROPFILES:
      DropFiles(msg);
      return;
    case WM_IME_COMPOSITION:
      ImeComposition(msg);
      return;
    case WM_IME_NOTIFY:
      if (msg.WParam == IMN_SETOPENSTATUS) ImeSetCompositionFont();
      break;
    case WM_LBUTTONDBLCLK:
      FLastDblClick = TPoint(SignedLo(msg.LParam), SignedHi(msg.LParam));
      break;
    case WM_LBUTTONUP:
      // The drop comes first: the platform's handling of the release lets
      // go of the mouse, which would read as a cancelled drag.
      if (FDragging) EndDrag(MouseShiftState(msg.WParam), SignedLo(msg.LParam), SignedHi(msg.LParam));
      break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      // Another window took the mouse: a drag of ours ends where it is.
      if (FDragging && (msg.Msg == WM_CANCELMODE || reinterpret_cast<HWND>(msg.LParam) != FHandle)) {
        FDragging = false;
        TktCursorKind cursor = kcDrag;
        FEdit->DragOver(0, 0, kdsDragLeave, TShiftState(), cursor);
      }
      break;
    default:
      break;
  }
  TCustomControl::WndProc(msg);
}

void TktEditWindow::ScrollMessage(TMessage& msg, bool vertical) {
  const int code = LOWORD(msg.WParam);
  if (code > SB_ENDSCROLL) return;
  int pos = HIWORD(msg.WParam);
  if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
    // The message has 16 bits of the position; a longer range (a very long
    // line) reads the thumb's own position.
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_TRACKPOS;
    if (::GetScrollInfo(FHandle, vertical ? SB_VERT : SB_HORZ, &si) && si.nMax > 0xFFFF)
      pos = si.nTrackPos;
  }
  if (vertical)
    FEdit->VScroll(static_cast<TktScrollCode>(code), pos);
  else
    FEdit->HScroll(static_cast<TktScrollCode>(code), pos);
  msg.Result = 0;
}

bool TktEditWindow::SetCursorMessage(TMessage& msg) {
  if (reinterpret_cast<HWND>(msg.WParam) != FHandle || LOWORD(msg.LParam) != HTCLIENT) return false;
  POINT p{};
  ::GetCursorPos(&p);
  ::ScreenToClient(FHandle, &p);
  ::SetCursor(CursorOf(FEdit->GetCursorAt(p.x, p.y)));
  msg.Result = TRUE;
  return true;
}

// --- the mouse ------------------------------------------------------------------------

void TktEditWindow::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  FEdit->MouseDown(button, shift, x, y);
}

void TktEditWindow::MouseMove(TShiftState shift, int x, int y) {
  if (FDragging)
    DragMouseMove(shift, x, y);
  else
    FEdit->MouseMove(shift, x, y);
  TCustomControl::MouseMove(shift, x, y);
}

void TktEditWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  FEdit->MouseUp(button, shift, x, y);
}

void TktEditWindow::DblClick() {
  FEdit->DblClick(FLastDblClick.X, FLastDblClick.Y);
  TCustomControl::DblClick();
}

// --- keys -----------------------------------------------------------------------------

void TktEditWindow::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  // A key the handler cleared still reaches the control: it ends a chord.
  FEdit->KeyDown(key, shift);
}

void TktEditWindow::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (key != 0) FEdit->KeyPress(key);
}

void TktEditWindow::BeginDrag() {
  if (!TWinControl::HandleAllocated()) return;
  FDragging = true;
  FDragInside = false;
  ::SetCapture(FHandle);
}

void TktEditWindow::DragMouseMove(TShiftState shift, int x, int y) {
  const bool inside = GetClientRect().Contains(TPoint(x, y));
  if (!inside && !FDragInside) {
    ::SetCursor(::LoadCursor(nullptr, IDC_NO));
    return;
  }
  const TktDragState state = !inside ? kdsDragLeave : FDragInside ? kdsDragMove : kdsDragEnter;
  FDragInside = inside;
  TktCursorKind cursor = kcDrag;
  const bool accepted = FEdit->DragOver(x, y, state, shift, cursor);
  ::SetCursor(inside && accepted ? CursorOf(cursor)
                                 : ::LoadCursor(nullptr, IDC_NO));
}

void TktEditWindow::EndDrag(TShiftState shift, int x, int y) {
  FDragging = false;
  if (::GetCapture() == FHandle) ::ReleaseCapture();
  if (GetClientRect().Contains(TPoint(x, y))) {
    FEdit->DragDrop(x, y, shift);
  } else if (FDragInside) {
    TktCursorKind cursor = kcDrag;
    FEdit->DragOver(x, y, kdsDragLeave, shift, cursor);
  }
  FDragInside = false;
}

// --- dropped files and the input method ---------------------------------------------

void TktEditWindow::DropFiles(TMessage& msg) {
  msg.Result = 0;
  AcceptDroppedFiles(reinterpret_cast<HDROP>(msg.WParam), [this](TStrings& files, TPoint p) {
    if (FEdit->OnDropFiles) FEdit->OnDropFiles(FEdit, p.X, p.Y, &files);
  });
}

void TktEditWindow::ImeComposition(TMessage& msg) {
  if (msg.LParam & GCS_RESULTSTR) {
    std::string text;
    {
      TImeContext ime(FHandle);
      if (ime.Get()) {
        const LONG size = ::ImmGetCompositionStringA(ime.Get(), GCS_RESULTSTR, nullptr, 0);
        if (size > 0) {
          text.resize(size_t(size));
          const LONG got = ::ImmGetCompositionStringA(ime.Get(), GCS_RESULTSTR, text.data(), DWORD(size));
          text.resize(size_t(std::max<LONG>(0, std::min(got, size))));
        }
      }
    }
    // The window system then repeats the text as character messages, which
    // the control knows to drop.
    if (!text.empty()) FEdit->ImeComposition(text);
  }
  TCustomControl::WndProc(msg);
}

void TktEditWindow::ImeSetCompositionFont() {
  TImeContext ime(FHandle);
  if (!ime.Get()) return;
  const TFontData& font = FEdit->GetFont();
  LOGFONTA lf{};
  lf.lfHeight = font.Height;
  lf.lfWeight = font.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Style.Contains(fsItalic);
  lf.lfCharSet = static_cast<BYTE>(font.CharSet);
  lstrcpynA(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE);
  ::ImmSetCompositionFontA(ime.Get(), &lf);
}

// --- the host's answers -----------------------------------------------------------------

bool TktEditWindow::IsVisible() const {
  return TWinControl::HandleAllocated() && ::IsWindowVisible(FHandle);
}

void TktEditWindow::SetFocus() {
  if (TWinControl::HandleAllocated() && CanFocus()) TWinControl::SetFocus();
}

void TktEditWindow::InvalidateRect(const TRect& rect) {
  if (!TWinControl::HandleAllocated()) return;
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::InvalidateRect(FHandle, &r, FALSE);
}

void TktEditWindow::Update() { TCustomControl::Update(); }

void TktEditWindow::ScrollWindow(int dx, int dy) {
  if (TWinControl::HandleAllocated())
    ::ScrollWindowEx(FHandle, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
}

void TktEditWindow::DragAcceptFiles(bool accept) {
  if (TWinControl::HandleAllocated()) ::DragAcceptFiles(FHandle, accept);
}

void TktEditWindow::SetScrollBar(TktScrollBar bar, int min, int max, int page, int pos) {
  if (!TWinControl::HandleAllocated()) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  // Shown disabled rather than hidden when nothing can scroll.
  si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  si.nMin = min;
  si.nMax = max;
  si.nPage = static_cast<UINT>(std::max(0, page));
  si.nPos = pos;
  ::SetScrollInfo(FHandle, bar == ksbHorizontal ? SB_HORZ : SB_VERT, &si, TRUE);
}

void TktEditWindow::CreateCaret(int width, int height) {
  if (TWinControl::HandleAllocated()) ::CreateCaret(FHandle, nullptr, width, height);
}

void TktEditWindow::DestroyCaret() { ::DestroyCaret(); }
void TktEditWindow::SetCaretPos(int x, int y) { ::SetCaretPos(x, y); }

void TktEditWindow::ShowCaret() {
  if (TWinControl::HandleAllocated()) ::ShowCaret(FHandle);
}

void TktEditWindow::HideCaret() {
  if (TWinControl::HandleAllocated()) ::HideCaret(FHandle);
}

void TktEditWindow::SetImeCompositionPos(int x, int y) {
  if (!TWinControl::HandleAllocated()) return;
  TImeContext ime(FHandle);
  if (!ime.Get()) return;
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  form.ptCurrentPos = POINT{x, y};
  ::ImmSetCompositionWindow(ime.Get(), &form);
}

void TktEditWindow::SetCapture() {
  if (TWinControl::HandleAllocated()) ::SetCapture(FHandle);
}

void TktEditWindow::ReleaseCapture() {
  if (HasCapture()) ::ReleaseCapture();
}

bool TktEditWindow::HasCapture() const {
  return TWinControl::HandleAllocated() && ::GetCapture() == FHandle;
}

void TktEditWindow::StartTimer(int id, int intervalMs) {
  if (TWinControl::HandleAllocated())
    ::SetTimer(FHandle, static_cast<UINT_PTR>(id), static_cast<UINT>(std::max(0, intervalMs)),
               nullptr);
}

void TktEditWindow::StopTimer(int id) {
  if (TWinControl::HandleAllocated()) ::KillTimer(FHandle, static_cast<UINT_PTR>(id));
}

bool TktEditWindow::ClipboardHasFormat(TktClipboardFormat format) const {
  return EditClipboardHasFormat(format);
}

// The clipboard needs an owner window for what is placed on it: ours, or
// the application's while we have none.
HWND TktEditWindow::ClipboardOwner() const {
  if (TWinControl::HandleAllocated()) return FHandle;
  return Application ? Application->GetHandle() : nullptr;
}

bool TktEditWindow::GetClipboardData(TktClipboardFormat format, std::string& data) {
  return EditClipboardRead(ClipboardOwner(), format, data);
}

bool TktEditWindow::SetClipboardData(std::string_view text, std::string_view block) {
  return EditClipboardWrite(ClipboardOwner(), text, block);
}

bool TktEditWindow::AskYesNo(const std::string& text) {
  return MessageDlg(text, mtWarning, TMsgDlgButtons{mbYes, mbNo}) == mrYes;
}

void TktEditWindow::ShowMessage(const std::string& text) { ::ShowMessage(text); }

void TktEditWindow::ShowScrollHint(const std::string& text, TPoint point) {
  THintWindow* hint = ScrollHint();
  if (!hint || !TWinControl::HandleAllocated()) return;
  TRect r = hint->CalcHintRect(200, text);
  const TPoint origin = ClientToScreen(TPoint(point.X - r.Width(), point.Y));
  r.Offset(origin.X, origin.Y);
  hint->ActivateHint(r, text);
}

void TktEditWindow::HideScrollHint() {
  if (gScrollHint) gScrollHint->ReleaseHandle();
}

TSize TktEditWindow::GetDragThreshold() const {
  return TSize(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
}

int TktEditWindow::GetWheelScrollLines() const {
  UINT lines = 3;
  if (!::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) return 3;
  return lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(lines);
}
