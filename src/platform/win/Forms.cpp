// TForm.
#include "platform/win/Forms.h"

#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/Menus.h"
#include "platform/win/StdCtrls.h"

#include <algorithm>
#include <vector>

TScreen* Screen = nullptr;

namespace {

// The enabled, visible top-level windows of this thread except one, which a
// modal form disables while it runs.
struct TTaskWindows {
  HWND Except;
  std::vector<HWND> Windows;
};

BOOL CALLBACK CollectTaskWindow(HWND wnd, LPARAM data) {
  auto* t = reinterpret_cast<TTaskWindows*>(data);
  if (wnd != t->Except && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd)) t->Windows.push_back(wnd);
  return TRUE;
}

bool IsWithin(TControl* control, TControl* ancestor) {
  for (TControl* c = control; c; c = c->GetParent())
    if (c == ancestor) return true;
  return false;
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  FVisible = false;
  FWidth = 320;
  FHeight = 240;
  if (Screen) Screen->FForms.push_back(this);
}

TForm::~TForm() {
  if (Screen) {
    auto& forms = Screen->FForms;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  }
  DoDestroy();
  Destroying();
  // Owned components go while the form is still whole: window hooks, form
  // storage and controls may look at it as they leave.
  DestroyComponents();
  DestroyHandle();
}


void TForm::DoDestroy() { FireDestroyOnce(FDestroyFired, OnDestroy, this, &HandleCallbackException); }

void TForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN;
  p.ExStyle = 0;
  // Owned by the application window: minimizing the application hides its forms.
  p.WndParent = Application ? Application->GetHandle() : nullptr;
  switch (FBorderStyle) {
    case bsNone:
      p.Style |= WS_POPUP;
      break;
    case bsSingle:
      p.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER;
      break;
    case bsSizeable:
      p.Style |= WS_OVERLAPPEDWINDOW;
      break;
    case bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      p.Style |= WS_CAPTION | WS_SYSMENU;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FFormStyle == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  if (FPosition == poDefault || FPosition == poDefaultPosOnly) p.X = p.Y = CW_USEDEFAULT;
  if (FPosition == poDefault || FPosition == poDefaultSizeOnly) p.Width = p.Height = CW_USEDEFAULT;
}

namespace {

void ShowIcon(HWND wnd, HICON icon) {
  ::SendMessageA(wnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ::SendMessageA(wnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

}  // namespace

void TForm::SetIcon(HICON icon) {
  FIcon = icon;
  if (FHandle) ShowIcon(FHandle, icon);
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  // A window of the program shows the icon it was given, else the program's
  // icon (icon 1 of the program file; a test program may have none). Dialog
  // frames show none unless given one.
  if (FHandle) {
    HICON icon = FIcon;
    if (!icon && FBorderStyle != bsDialog) icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    if (icon) ShowIcon(FHandle, icon);
  }
  if (FHandle && FMenu) ShowMenuBar();
  if (FHandle && FWindowState != wsNormal && FVisible) SetWindowState(FWindowState);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == FBorderStyle) return;
  FBorderStyle = style;
  RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle style) {
  if (style == FFormStyle) return;
  FFormStyle = style;
  if (FHandle)
    ::SetWindowPos(FHandle, style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TForm::GetWindowState() const {
  if (!FHandle) return FWindowState;
  if (::IsIconic(FHandle)) return wsMinimized;
  if (::IsZoomed(FHandle)) return wsMaximized;
  return wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  FWindowState = state;
  if (!FHandle || !FVisible) return;
  ::ShowWindow(FHandle, state == wsMinimized   ? SW_SHOWMINIMIZED
                        : state == wsMaximized ? SW_SHOWMAXIMIZED
                                               : SW_RESTORE);
}

void TForm::PlaceForShowing() {
  if (FPlaced) return;
  FPlaced = true;
  TRect area;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: {
      RECT work{};
      ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
      area = TRect(work.left, work.top, work.right, work.bottom);
      break;
    }
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TForm* other = FPosition == poOwnerFormCenter ? dynamic_cast<TForm*>(GetOwner()) : nullptr;
      if (!other && Application) other = Application->GetMainForm();
      if (other && other != this && other->HandleAllocated()) {
        area = other->GetBoundsRect();
      } else {
        RECT work{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        area = TRect(work.left, work.top, work.right, work.bottom);
      }
      break;
    }
    default:
      return;
  }
  SetBounds(area.Left + (area.Width() - FWidth) / 2, area.Top + (area.Height() - FHeight) / 2,
            FWidth, FHeight);
}

void TForm::SetText(const std::string& text) {
  // A form's caption stands in its frame, which the window redraws itself;
  // the client area under the children has nothing to repaint. (The main
  // window's caption follows every tab change.)
  if (text == FText) return;
  FText = text;
  if (FHandle) ::SetWindowTextA(FHandle, text.c_str());
}

void TForm::SetVisible(bool visible) {
  if (visible == FVisible && (!visible || HandleAllocated())) return;
  if (visible) {
    HandleNeeded();
    PlaceForShowing();
    if (OnShow) OnShow(this);
    FVisible = true;
    ::ShowWindow(FHandle, FWindowState == wsMinimized   ? SW_SHOWMINIMIZED
                          : FWindowState == wsMaximized ? SW_SHOWMAXIMIZED
                                                        : SW_SHOWNORMAL);
  } else {
    FVisible = false;
    if (FHandle) ::ShowWindow(FHandle, SW_HIDE);
    if (OnHide) OnHide(this);
  }
}

void TForm::Show() {
  SetVisible(true);
  ::SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->GetMainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone) FModalResult = mrNone;
  else if (action == caFree) Release();
}

TModalResult TForm::ShowModal() {
  if (FVisible || !FEnabled || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  if (!Application) throw EInvalidOperation("No application to run a modal form");
  if (::GetCapture()) ::SendMessageA(::GetCapture(), WM_CANCELMODE, 0, 0);
  ::ReleaseCapture();
  HWND previous = ::GetActiveWindow();
  HandleNeeded();
  TTaskWindows task{FHandle, {}};
  ::EnumThreadWindows(::GetCurrentThreadId(), &CollectTaskWindow, reinterpret_cast<LPARAM>(&task));
  for (HWND w : task.Windows) ::EnableWindow(w, FALSE);
  FModal = true;
  FModalResult = mrNone;
  struct TRestore {
    TForm* Form;
    TTaskWindows& Task;
    HWND Previous;
    ~TRestore() {
      for (HWND w : Task.Windows)
        if (::IsWindow(w)) ::EnableWindow(w, TRUE);
      Form->FModal = false;
      Form->Hide();
      if (Previous && ::IsWindow(Previous)) ::SetActiveWindow(Previous);
    }
  } restore{this, task, previous};
  Show();
  ::SetForegroundWindow(FHandle);
  do {
    Application->HandleMessage();
    if (Application->GetTerminated()) {
      FModalResult = mrCancel;
    } else if (FModalResult != mrNone) {
      CloseModal();
    }
  } while (FModalResult == mrNone);
  return FModalResult;
}

void TForm::Release() { ::PostMessageA(GetHandle(), CM_RELEASE, 0, 0); }

void TForm::SetActiveControl(TWinControl* control) {
  if (control == FActiveControl) return;
  if (control && GetParentForm(control) != this)
    throw EInvalidOperation("Invalid control: it is not on this form");
  FActiveControl = control;
  if (control && FActive && control->CanFocus()) control->SetFocus();
}

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TForm", &TWinControl::StaticClassInfo())
                                     .String("Caption", &TControl::GetCaption, &TControl::SetCaption);
  return info;
}
const TClassInfo* TForm::ClassInfo() const { return &StaticClassInfo(); }

namespace {
// The Tab stops in Tab order; hidden or disabled containers (a notebook's
// inactive pages) keep theirs out.
void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& list) {
  for (TWinControl* w : parent->GetTabOrderList()) {
    if (!w->GetVisible() || !w->GetEnabled()) continue;
    if (w->IsTabStop()) list.push_back(w);
    CollectTabStops(w, list);
  }
}

bool IsRadio(TWinControl* w) {
  return w->HandleAllocated() && (::SendMessageA(w->GetHandle(), WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON);
}

bool IsButton(TWinControl* w) {
  if (!w->HandleAllocated()) return false;
  const LRESULT code = ::SendMessageA(w->GetHandle(), WM_GETDLGCODE, 0, 0);
  return !(code & DLGC_WANTCHARS) && (code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

// Arrow keys in a group of radio buttons (the siblings of one parent): the
// next one in Tab order is focused and checked, wrapping around.
bool MoveInRadioGroup(TWinControl* current, bool forward) {
  TWinControl* parent = current->GetParent();
  if (!parent || !IsRadio(current)) return false;
  std::vector<TWinControl*> group;
  for (TWinControl* w : parent->GetTabOrderList())
    if (w->CanFocus() && IsRadio(w)) group.push_back(w);
  auto it = std::find(group.begin(), group.end(), current);
  if (group.size() < 2 || it == group.end()) return false;
  int n = static_cast<int>(group.size());
  int i = static_cast<int>(it - group.begin());
  TWinControl* next = group[((i + (forward ? 1 : -1)) % n + n) % n];
  next->SetFocus();
  ::SendMessageA(next->GetHandle(), BM_CLICK, 0, 0);
  return true;
}

template <class F> bool ForEachControl(TWinControl* parent, const F& f) {
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    TControl* c = parent->GetControl(i);
    if (!c->GetVisible() || !c->GetEnabled()) continue;
    if (f(c)) return true;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && ForEachControl(w, f)) return true;
  }
  return false;
}
}  // namespace

bool TForm::BroadcastDialogKey(uint16_t key, TWinControl* focused) {
  if (focused && focused != this && focused->DialogKey(key, true)) return true;
  return ForEachControl(this, [&](TControl* c) { return c != focused && c->DialogKey(key, false); });
}

bool TForm::BroadcastDialogChar(char ch) {
  return ForEachControl(this, [&](TControl* c) { return c->DialogChar(ch); });
}

bool TForm::DialogKeyDown(TWinControl* control, uint16_t key, TShiftState shift) {
  if (!control) control = this;
  bool ctrl = shift.Contains(ssCtrl), alt = shift.Contains(ssAlt);
  bool letter = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
  if (alt && !ctrl) return letter && BroadcastDialogChar(static_cast<char>(key));
  if (key == VK_TAB && ctrl && !alt) return SelectNextPage(control, !shift.Contains(ssShift));
  if (ctrl || control->WantsKey(key)) return false;
  // A button takes no characters, so a letter typed on one is an
  // accelerator, as Alt with it would be.
  if (letter && !shift.Contains(ssShift) && IsButton(control)) return BroadcastDialogChar(static_cast<char>(key));
  switch (key) {
    case VK_TAB:
      return control != this ? SelectNext(control, !shift.Contains(ssShift)) : SelectNext(nullptr, true);
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      return control != this && MoveInRadioGroup(control, key == VK_RIGHT || key == VK_DOWN);
    case VK_RETURN:
    case VK_ESCAPE:
      return BroadcastDialogKey(key, control != this ? control : nullptr);
    default:
      return false;
  }
}

// Ctrl+Tab: the outermost page control around the focus turns its page,
// however deep in nested tab sets the focus is. The focus, left on a page
// now hidden, moves to the new page's first Tab stop.
bool TForm::SelectNextPage(TWinControl* control, bool forward) {
  TPageControl* pages = nullptr;
  for (TWinControl* w = control; w && w != this; w = w->GetParent())
    if (auto* p = dynamic_cast<TPageControl*>(w)) pages = p;
  if (!pages || !pages->SelectNextPage(forward)) return false;
  if (control == pages) return true;
  std::vector<TWinControl*> stops;
  if (TTabSheet* page = pages->GetActivePage()) CollectTabStops(page, stops);
  for (TWinControl* w : stops)
    if (w->CanFocus()) {
      w->SetFocus();
      return true;
    }
  if (pages->CanFocus()) pages->SetFocus();
  return true;
}

bool TForm::HasFocusInside() const {
  HWND focus = ::GetFocus();
  return focus && FHandle && ::IsChild(FHandle, focus);
}

bool TForm::TakeCloseKey(uint16_t& key, TShiftState shift) {
  if (key != VK_ESCAPE || !(shift == TShiftState())) return false;
  key = 0;
  if (!HasFocusInside()) return true;
  for (HWND w = ::GetFocus(); w && w != FHandle; w = ::GetParent(w))
    if (auto* box = dynamic_cast<TComboBox*>(TWinControl::FindControl(w)); box && box->GetDroppedDown()) {
      box->SetDroppedDown(false);
      return false;
    }
  return true;
}

bool TForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> list;
  CollectTabStops(this, list);
  if (list.empty()) return false;
  int n = static_cast<int>(list.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (list[i] == current) start = i;
  if (start < 0) start = forward ? n - 1 : 0;
  for (int step = 1; step <= n; ++step) {
    int i = ((start + (forward ? step : -step)) % n + n) % n;
    if (list[i] != current && list[i]->CanFocus()) {
      list[i]->SetFocus();
      return true;
    }
  }
  return false;
}

void TForm::SetFocusedControl(TWinControl* control) {
  TWinControl* previous = FFocusedControl;
  FActiveControl = control;
  FFocusedControl = control;
  if (previous != control) {
    if (previous) previous->DoExit();
    control->DoEnter();
  }
  if (Application) Application->ActiveControlChanged(control);
}

void TForm::ControlRemoved(TControl* control) {
  if (FActiveControl && IsWithin(FActiveControl, control)) FActiveControl = nullptr;
  if (FFocusedControl && IsWithin(FFocusedControl, control)) FFocusedControl = nullptr;
}

bool TForm::IsShortCut(TWMKey& msg) {
  bool handled = false;
  if (OnShortCut) OnShortCut(msg, handled);
  return handled || IsFormShortCut(this, msg);
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == FMenu) return;
  if (FMenu) {
    FMenu->SetWindowHandle(nullptr);
    RemoveFreeNotification(FMenu);
  }
  FMenu = menu;
  if (menu) FreeNotification(menu);
  if (FHandle) ShowMenuBar();
}

void TForm::ShowMenuBar() {
  ::SetMenu(FHandle, FMenu ? FMenu->GetHandle() : nullptr);
  if (FMenu) FMenu->SetWindowHandle(FHandle);
  // A menu bar added or taken away changes the client area but not the
  // window's rectangle, so no move or size lays the children out again.
  Realign();
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == FMenu) FMenu = nullptr;
}

void TForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TForm::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_CLOSE:
      Close();
      msg.Result = 0;
      return;
    case WM_ACTIVATE:
      DefaultHandler(msg);
      if (LOWORD(msg.WParam) != WA_INACTIVE) {
        FActive = true;
        if (Application) Application->FormActivated(this);
        Activate();
        if (FActiveControl && FActiveControl->HandleAllocated() && FActiveControl->CanFocus()) {
          if (::GetFocus() != FActiveControl->GetHandle()) ::SetFocus(FActiveControl->GetHandle());
        } else if (!HasFocusInside()) {
          // Shown for the first time (or the control that had the focus
          // is gone): the first keys go to the first Tab stop, not nowhere.
          SelectNext(nullptr, true);
        }
      } else {
        FActive = false;
        Deactivate();
      }
      return;
    case WM_ACTIVATEAPP:
      if (Application) Application->AppActivation(msg.WParam != 0);
      DefaultHandler(msg);
      return;
    case WM_SYSCOMMAND:
      if ((msg.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->GetMainForm() == this) {
        Application->Minimize();
        msg.Result = 0;
        return;
      }
      break;
    case CM_RELEASE:
      delete this;
      return;
    case WM_DESTROY:
      // The window would destroy the menu bar it shows; the menu is ours.
      if (FMenu) ::SetMenu(FHandle, nullptr);
      break;
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
      if (DispatchMenuMessage(msg)) return;
      break;
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TScreen
// ---------------------------------------------------------------------------
namespace {
std::vector<TScreen::TScreenHandler>& ScreenCreateHandlers() {
  static std::vector<TScreen::TScreenHandler> handlers;
  return handlers;
}
}  // namespace

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
  HDC dc = ::GetDC(nullptr);
  FPixelsPerInch = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::ReleaseDC(nullptr, dc);
  if (FPixelsPerInch <= 0) FPixelsPerInch = 96;
  TFont::DefaultPixelsPerInch = FPixelsPerInch;
  for (TScreenHandler handler : ScreenCreateHandlers()) handler(*this);
}

void TScreen::AddCreateHandler(TScreenHandler handler) {
  auto& handlers = ScreenCreateHandlers();
  if (std::find(handlers.begin(), handlers.end(), handler) != handlers.end()) return;
  handlers.push_back(handler);
  if (Screen) handler(*Screen);
}

TForm* TScreen::GetActiveForm() const { return Application ? Application->GetActiveForm() : nullptr; }

int TScreen::GetWidth() const { return ::GetSystemMetrics(SM_CXSCREEN); }
int TScreen::GetHeight() const { return ::GetSystemMetrics(SM_CYSCREEN); }

HCURSOR TScreen::GetCursors(TCursor index) const {
  for (const auto& [n, cursor] : FCursors)
    if (n == index) return cursor;
  const char* id = IDC_ARROW;
  switch (index) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: case crNoDrop: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
  }
  return ::LoadCursorA(nullptr, id);
}

void TScreen::SetCursors(TCursor index, HCURSOR cursor) {
  for (auto& entry : FCursors)
    if (entry.first == index) {
      entry.second = cursor;
      return;
    }
  FCursors.emplace_back(index, cursor);
}

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  if (cursor != crDefault) {
    ::SetCursor(GetCursors(cursor));
    return;
  }
  // Back to the controls' own: ask the window under the mouse as a move would.
  POINT p{};
  if (!::GetCursorPos(&p)) return;
  HWND wnd = ::WindowFromPoint(p);
  if (!TWinControl::FindControl(wnd)) {
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    return;
  }
  LRESULT hit = ::SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  ::SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
}

// ---------------------------------------------------------------------------
// TDataModule: an error out of a module's OnDestroy is shown like any other.
// ---------------------------------------------------------------------------
namespace {
[[maybe_unused]] const bool kDataModuleErrorsShown =
    (TDataModule::SetDestroyErrorHandler(&HandleCallbackException), true);
}
