// The grids' window: messages in, model calls out, and the in-place editor.
#include "platform/win/GridWindow.h"

#include "platform/TypInfo.h"

#include <algorithm>

// The in-place editor: a system edit laid over the current cell. Its keys
// that finish editing or move to another cell go back to the grid.
class TGridInplaceEdit : public TWinControl {
public:
  explicit TGridInplaceEdit(TGridWindow* grid) : TWinControl(grid), FGrid(grid) {
    SetVisible(false);
    SetTabStop(false);
  }

  int Col = -1;
  int Row = -1;
  bool Active = false;

  std::string ReadText() const {
    if (!FHandle) return GetText();
    std::string s(static_cast<size_t>(::GetWindowTextLengthA(FHandle)) + 1, '\0');
    s.resize(static_cast<size_t>(::GetWindowTextA(FHandle, s.data(), static_cast<int>(s.size()))));
    return s;
  }

  void Open(const std::string& text, bool selectAll) {
    Active = true;
    if (FHandle) ::SetWindowTextA(FHandle, text.c_str());
    SetText(text);
    SetVisible(true);
    SetFocus();
    if (FHandle)
      ::SendMessageA(FHandle, EM_SETSEL, selectAll ? 0 : text.size(), static_cast<LPARAM>(text.size()));
  }

protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.SysClassName = "EDIT";
    params.WinClassName = "TInplaceEdit";
    params.Style |= ES_AUTOHSCROLL;
  }

  void WndProc(TMessage& msg) override {
    switch (msg.Msg) {
      case WM_GETDLGCODE:
        msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
        return;
      case WM_KILLFOCUS:
        TWinControl::WndProc(msg);
        // Focus went elsewhere (not by Enter or Esc): keep what was typed.
        if (Active) FGrid->CommitEditor();
        return;
      case WM_CHAR:
        // Enter and Esc finish editing on key-down; their characters would
        // only beep in a single-line edit.
        if (msg.WParam == '\r' || msg.WParam == 0x1B) return;
        break;
      default:
        break;
    }
    TWinControl::WndProc(msg);
  }

  void KeyDown(uint16_t& key, TShiftState shift) override {
    TWinControl::KeyDown(key, shift);
    switch (key) {
      case VK_RETURN:
        FGrid->CommitEditor();
        FGrid->SetFocus();
        key = 0;
        break;
      case VK_ESCAPE:
        Active = false;
        FGrid->HideEditor();
        FGrid->SetFocus();
        key = 0;
        break;
      case VK_UP:
      case VK_DOWN:
      case VK_PRIOR:
      case VK_NEXT:
      case VK_TAB: {
        if (key == VK_TAB && !FGrid->GetGrid()->GetOptions().Contains(goTabs)) break;
        FGrid->CommitEditor();
        FGrid->SetFocus();
        FGrid->GetGrid()->KeyDown(key, shift);
        key = 0;
        break;
      }
      default:
        break;
    }
  }

private:
  TGridWindow* FGrid;
};

TGridWindow::TGridWindow(TComponent* owner, std::unique_ptr<TCustomGrid> grid)
    : TCustomControl(owner), FGrid(std::move(grid)) {
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
  TCustomControl::SetColor(FGrid->GetColor());
  FGrid->SetHost(this);
}

TGridWindow::~TGridWindow() {
  // The editor goes first: its loss of focus must not write into a grid
  // that is being destroyed.
  if (FEditor) {
    FEditor->Active = false;
    delete FEditor;
    FEditor = nullptr;
  }
  FGrid->SetHost(nullptr);
}

void TGridWindow::SetBorder(bool value) {
  if (value == FBorder) return;
  FBorder = value;
  if (HandleAllocated()) RecreateWnd();
}

void TGridWindow::SetColor(TColor color) {
  TCustomControl::SetColor(color);
  FGrid->SetColor(color);
}

void TGridWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
  if (FBorder) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TGridWindow::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateClientSize();
  FGrid->SetHost(this);  // puts the scroll bars on the new window
}

void TGridWindow::UpdateClientSize() {
  TRect r = GetClientRect();
  FGrid->SetClientSize(r.Width(), r.Height());
  PlaceEditor();
}

void TGridWindow::InvalidateRect(const TRect& rect) { TWinControl::InvalidateRect(rect); }

void TGridWindow::SetScrollBar(TGridScrollBar bar, int min, int max, int page, int pos) {
  if (!HandleAllocated()) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  si.nMin = min;
  si.nMax = max;
  si.nPage = static_cast<UINT>(std::max(0, page));
  si.nPos = pos;
  ::SetScrollInfo(FHandle, bar == gsbHorizontal ? SB_HORZ : SB_VERT, &si, TRUE);
}

void TGridWindow::Paint() {
  ICanvas& canvas = *GetCanvas();
  canvas.SetFont(GetFont());
  FGrid->Paint(canvas);
}

void TGridWindow::ScrollMessage(TMessage& msg, bool vertical) {
  const int code = LOWORD(msg.WParam);
  if (code > SB_ENDSCROLL) return;
  // The message carries 16 bits of the thumb's position; a grid of millions
  // of rows reads the whole position from the bar.
  int pos = HIWORD(msg.WParam);
  if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    if (::GetScrollInfo(FHandle, vertical ? SB_VERT : SB_HORZ, &si)) pos = si.nTrackPos;
  }
  FGrid->Scroll(vertical ? gsbVertical : gsbHorizontal, static_cast<TGridScrollCode>(code), pos);
  PlaceEditor();
  msg.Result = 0;
}

void TGridWindow::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_ERASEBKGND:
      // Painting covers every pixel.
      msg.Result = 1;
      return;
    case WM_GETDLGCODE:
      msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (FGrid->GetOptions().Contains(goTabs)) msg.Result |= DLGC_WANTTAB;
      return;
    case WM_SIZE:
      TCustomControl::WndProc(msg);
      UpdateClientSize();
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      ScrollMessage(msg, msg.Msg == WM_VSCROLL);
      return;
    case WM_MOUSEWHEEL: {
      // A notch scrolls three rows; the rest of a fine wheel's delta waits.
      FWheelRest += GET_WHEEL_DELTA_WPARAM(msg.WParam);
      while (FWheelRest >= WHEEL_DELTA || FWheelRest <= -WHEEL_DELTA) {
        bool up = FWheelRest > 0;
        FWheelRest += up ? -WHEEL_DELTA : WHEEL_DELTA;
        FGrid->SetTopRow(FGrid->GetTopRow() + (up ? -3 : 3));
      }
      PlaceEditor();
      msg.Result = 0;
      return;
    }
    case WM_SETFOCUS:
      TCustomControl::WndProc(msg);
      FGrid->SetFocused(true);
      return;
    case WM_KILLFOCUS:
      TCustomControl::WndProc(msg);
      FGrid->SetFocused(false);
      return;
    default:
      break;
  }
  TCustomControl::WndProc(msg);
}

void TGridWindow::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && CanFocus() && HandleAllocated() && !Focused()) SetFocus();
  int oldCol = FGrid->GetCol(), oldRow = FGrid->GetRow();
  FGrid->MouseDown(button, shift, x, y);
  if (FGrid->GetCol() != oldCol || FGrid->GetRow() != oldRow) HideEditor();
  TCustomControl::MouseDown(button, shift, x, y);
}

void TGridWindow::MouseMove(TShiftState shift, int x, int y) {
  FGrid->MouseMove(shift, x, y);
  TCustomControl::MouseMove(shift, x, y);
}

void TGridWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  FGrid->MouseUp(button, shift, x, y);
  TCustomControl::MouseUp(button, shift, x, y);
  if (button == mbLeft && FGrid->GetOptions().Contains(goAlwaysShowEditor)) ShowEditor();
}

void TGridWindow::DblClick() {
  TCustomControl::DblClick();
  ShowEditor();
}

void TGridWindow::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0) return;
  if ((key == VK_F2 || key == VK_RETURN) && shift.Empty()) {
    if (FGrid->CanEditShow()) {
      ShowEditor();
      key = 0;
    }
    return;
  }
  if (FGrid->KeyDown(key, shift)) {
    HideEditor();
    if (FGrid->GetOptions().Contains(goAlwaysShowEditor)) ShowEditor();
  }
}

void TGridWindow::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  // A typed character starts editing with that character in place of the
  // cell's text; characters that were on their way to the grid when the
  // editor opened follow it there.
  if (static_cast<unsigned char>(key) >= 32 && FGrid->CanEditShow()) {
    bool opening = !GetEditorMode();
    ShowEditor();
    if (FEditor && FEditor->HandleAllocated()) {
      if (opening) ::SendMessageA(FEditor->GetHandle(), EM_SETSEL, 0, -1);
      ::SendMessageA(FEditor->GetHandle(), WM_CHAR, static_cast<unsigned char>(key), 1);
    }
    key = 0;
  }
}

void TGridWindow::ShowEditor() {
  if (!FGrid->CanEditShow() || !HandleAllocated()) return;
  if (!FEditor) {
    FEditor = new TGridInplaceEdit(this);
    FEditor->SetFont(GetFont());
    FEditor->SetParent(this);
  }
  if (GetEditorMode()) return;
  FEditor->Col = FGrid->GetCol();
  FEditor->Row = FGrid->GetRow();
  FGrid->ScrollInView(FEditor->Col, FEditor->Row);
  FEditor->Active = true;
  PlaceEditor();
  FEditor->Open(FGrid->GetEditText(FEditor->Col, FEditor->Row), true);
}

void TGridWindow::HideEditor() {
  if (!FEditor || !FEditor->GetVisible()) return;
  FEditor->Active = false;
  bool hadFocus = FEditor->Focused();
  FEditor->SetVisible(false);
  if (hadFocus && HandleAllocated()) SetFocus();
}

bool TGridWindow::GetEditorMode() const { return FEditor && FEditor->GetVisible() && FEditor->Active; }

TWinControl* TGridWindow::GetInplaceEditor() const { return FEditor; }

void TGridWindow::CommitEditor() {
  if (!FEditor || !FEditor->Active) return;
  FEditor->Active = false;
  std::string text = FEditor->ReadText();
  int col = FEditor->Col, row = FEditor->Row;
  FEditor->SetVisible(false);
  if (col < FGrid->GetColCount() && row < FGrid->GetRowCount() &&
      FGrid->GetEditText(col, row) != text)
    FGrid->SetEditText(col, row, text);
}

void TGridWindow::PlaceEditor() {
  if (!FEditor || !FEditor->Active) return;
  TRect r = FGrid->CellRect(FEditor->Col, FEditor->Row);
  if (r.IsEmpty()) {
    // Scrolled out of view: the editor waits outside the client.
    FEditor->SetBounds(-1000, -1000, 10, 10);
    return;
  }
  FEditor->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

TDrawGridWindow::TDrawGridWindow(TComponent* owner)
    : TGridWindow(owner, std::make_unique<TDrawGrid>()) {}

TStringGridWindow::TStringGridWindow(TComponent* owner)
    : TGridWindow(owner, std::make_unique<TStringGrid>()) {}

const TClassInfo& TGridWindow::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TGridWindow", &TWinControl::StaticClassInfo())
                                     .Bool("Border", &TGridWindow::GetBorder, &TGridWindow::SetBorder);
  return info;
}
const TClassInfo* TGridWindow::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TDrawGridWindow::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TDrawGrid", &TGridWindow::StaticClassInfo());
  return info;
}
const TClassInfo* TDrawGridWindow::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TStringGridWindow::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TStringGrid", &TGridWindow::StaticClassInfo());
  return info;
}
const TClassInfo* TStringGridWindow::ClassInfo() const { return &StaticClassInfo(); }
